#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "shell_stage.h"

// One case: raw command lines run in turn on the two staged windows, each
// present and not layered unless the case says otherwise.
struct Case {
    std::string name;
    std::vector<std::string> lines;
    // How the windows start.
    Look taskbar{};
    Look startMenu{};
    // How they must be after the last run.
    Look taskbarAfter{};
    Look startMenuAfter{};
};

// A window present and not layered.
inline constexpr Look Plain{};
// A window that is not there.
inline constexpr Look Absent{.present = false};
// The default colour key.
constexpr COLORREF DefaultKey = 0x00F8F8FF;

// A window layered with a colour key alone in effect.
constexpr Look ColourKey(COLORREF key) {
    return {.layered = true, .key = key, .flags = LWA_COLORKEY};
}

// A window layered with an opacity alone in effect.
constexpr Look Opacity(BYTE alpha) {
    return {.layered = true, .alpha = alpha, .flags = LWA_ALPHA};
}

// A window layered with both a colour key and an opacity in effect.
constexpr Look KeyAndOpacity(COLORREF key, BYTE alpha) {
    return {.layered = true, .key = key, .alpha = alpha, .flags = LWA_COLORKEY | LWA_ALPHA};
}

// A window layered as the defaults leave the taskbar.
inline constexpr Look AppliedDefaults = KeyAndOpacity(DefaultKey, 224);

// The staged windows of one case.
struct Staging {
    // The staged shell windows; null for one left out.
    HWND taskbar;
    HWND startMenu;
    // A window of another class that layerbar must not touch.
    HWND decoy;
};

// Creates the two shell windows as asked, and a decoy.
Staging SetStage(const Look& taskbar, const Look& startMenu);

// What keeps layerbar, started on the private desktop, from finding the
// staged shell windows and no others (none before staging, exactly the
// staged ones after); "" when nothing does.
std::string ProveIsolation();

// Runs layerbar once; what went wrong (no start, no end, another exit code).
std::string RunOnce(const std::string& exePath, const std::string& commandLine);

// What is wrong with the staged windows, or "" when nothing is: the two
// shell windows must look as expected, the decoy and the taskbar of the
// desktop the probe came from as they were.
std::string CheckStage(const Staging& stage, const Look& taskbar, const Look& startMenu);

// Destroys the staged windows.
void ClearStage(const Staging& stage);

// Runs one case; what went wrong, or "" when nothing did.
std::string RunCase(const std::string& exePath, const Case& c);

// Runs the cases, printing one line a case; the number that failed.
int RunEach(const std::string& exePath, const std::vector<Case>& cases);

// Prints one line for a case; whether it passed.
bool Report(const std::string& name, const std::string& problems);

// Runs every case of layerbar on staged shell windows, printing one line a
// case, the taskbar of the desktop home checked after each; the number of
// cases that failed.
int RunCases(const std::string& exePath, const Home& home);
