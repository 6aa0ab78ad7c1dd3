#pragma once

#include <cstdint>

// The few Windows operations layerbar uses, named and numbered as Windows
// has them. The executable links the Win32 side; the unit tests link the
// recording stand-in.
namespace platform {

// A top-level window; null when a lookup finds none.
using WindowHandle = void*;

// GetWindowLongA index of the extended window style.
constexpr std::int32_t GWL_EXSTYLE = -20;
// Extended style bit of a layered window.
constexpr std::int32_t WS_EX_LAYERED = 0x00080000;
// SetLayeredWindowAttributes flag: make the key colour transparent.
constexpr std::uint32_t LWA_COLORKEY = 1;
// SetLayeredWindowAttributes flag: apply the opacity.
constexpr std::uint32_t LWA_ALPHA = 2;

// The top-level window of a class (and title, when not null), or null.
WindowHandle FindWindowA(const char* className, const char* windowName);
// A 32-bit value of a window, such as its extended style.
std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index);
// Sets a 32-bit value of a window; the outcome is not reported.
void SetWindowLongA(WindowHandle window, std::int32_t index, std::int32_t value);
// Sets the colour key and opacity of a layered window; the outcome is not reported.
void SetLayeredWindowAttributes(WindowHandle window,
                                std::uint32_t key,
                                std::uint8_t alpha,
                                std::uint32_t flags);
// The raw command line of the process, in the ANSI code page.
const char* GetCommandLineA();
// The next character of an ANSI string: one byte on, two for a double-byte
// character; a pointer at the terminating null stays where it is.
const char* CharNextA(const char* text);
// Ends the process with an exit code (Win32 side only).
[[noreturn]] void ExitProcess(std::uint32_t exitCode);

}  // namespace platform
