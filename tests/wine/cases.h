#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "shell_stage.h"

// One case: raw command lines run in turn on the two staged windows.
struct Case {
    std::string name;
    std::vector<std::string> commandLines;
    Look taskbar;
    Look startMenu;
    Look taskbarAfter;
    Look startMenuAfter;
};

// A window present and not layered.
inline const Look Plain{};
// A window that is not there.
inline const Look Absent{false};
// The default colour key.
constexpr COLORREF DefaultKey = 0x00F8F8FF;

// A window layered with these attributes.
inline Look Translucent(COLORREF key, BYTE alpha, DWORD flags) {
    return {true, true, key, alpha, flags};
}

// A window layered as the defaults leave the taskbar.
inline const Look AppliedDefaults = Translucent(DefaultKey, 224, LWA_COLORKEY | LWA_ALPHA);

// The taskbar of Wine's own desktop process, if there is one.
HWND ForeignTaskbar();

// What is wrong with a window, named which, or "" when nothing is.
std::string CheckWindow(const char* which, HWND window, const Look& expect);

// Runs one case; what went wrong, or "" when nothing did. Each case also
// checks that a decoy window and the foreign taskbar are left alone.
std::string RunCase(const std::string& exePath, const Case& c, HWND foreign);

// Prints one line for a case; whether it passed.
bool Report(const std::string& name, const std::string& problems);

// Runs every case of layerbar on staged shell windows, printing one line a
// case; the number of cases that failed.
int RunCases(const std::string& exePath);
