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

// The staged windows of one case, and the foreign taskbar's style before it.
struct Staging {
    // The staged shell windows; null for one left out.
    HWND taskbar;
    HWND startMenu;
    // A window of another class that layerbar must not touch.
    HWND decoy;
    // Wine's own taskbar, or null, and its extended style before the case.
    HWND foreign;
    LONG foreignStyle;
};

// Creates the two shell windows as asked, and a decoy, beside the foreign
// taskbar (null when there is none).
Staging SetStage(const Look& taskbar, const Look& startMenu, HWND foreign);

// Runs layerbar once; what went wrong (no start, no end, another exit code).
std::string RunOnce(const std::string& exePath, const std::string& commandLine);

// What is wrong with the staged windows, or "" when nothing is: the two
// shell windows must look as expected, the decoy and the foreign taskbar
// as they were.
std::string CheckStage(const Staging& stage, const Look& taskbar, const Look& startMenu);

// Destroys the staged windows.
void ClearStage(const Staging& stage);

// Runs one case; what went wrong, or "" when nothing did.
std::string RunCase(const std::string& exePath, const Case& c, HWND foreign);

// Prints one line for a case; whether it passed.
bool Report(const std::string& name, const std::string& problems);

// Runs every case of layerbar on staged shell windows, printing one line a
// case; the number of cases that failed.
int RunCases(const std::string& exePath);
