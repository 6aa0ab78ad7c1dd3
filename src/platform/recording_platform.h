#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <string>
#include <vector>

// The stand-in for Windows in the unit tests: it answers from a scripted
// desktop and command line, and records every call on the window functions.
namespace recording {

// One top-level window of the scripted desktop, as the calls leave it.
struct ScriptedWindow {
    // Its window class, which also names it in the recorded calls.
    std::string className;
    // Its extended style.
    std::int32_t exStyle = 0;
    // The colour key of the last SetLayeredWindowAttributes.
    std::uint32_t key = 0;
    // The opacity of the last SetLayeredWindowAttributes.
    std::uint8_t alpha = 0;
    // The flags of the last SetLayeredWindowAttributes.
    std::uint32_t flags = 0;
};

// Starts afresh with these windows, this raw command line and, for a
// double-byte code page, the bytes that lead a two-byte character.
void Stage(std::vector<ScriptedWindow> windows,
           std::string commandLine = "layerbar.exe",
           std::string leadBytes = "");

// The calls since Stage, in order, each written as
// "SetWindowLongA(Shell_TrayWnd, -20, 0x00080000)".
const std::vector<std::string>& Calls();

// The scripted window of a class; asking for one Stage did not make throws.
const ScriptedWindow& Window(const std::string& className);

}  // namespace recording
