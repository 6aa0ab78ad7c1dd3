#pragma once

#include <windows.h>

#include <string>

// Stand-in shell windows for layerbar to act on, owned by this process, and
// the runs of layerbar against them.

// How a staged window looks, when it starts or when a case ends.
struct Look {
    // Whether the window is there at all.
    bool present = true;
    // Whether it is layered, with the attributes below.
    bool layered = false;
    // Its colour key when layered.
    COLORREF key = 0;
    // Its opacity when layered.
    BYTE alpha = 0;
    // Its LWA_ flags when layered.
    DWORD flags = 0;
};

// What a window is like, as Windows reports it.
struct WindowState {
    // Whether there is such a window.
    bool present = false;
    // Its extended style.
    LONG exStyle = 0;
    // Whether GetLayeredWindowAttributes answered, and what.
    bool attributesRead = false;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};

// Extended-style bits unrelated to layering that every staged window carries.
constexpr LONG UnrelatedStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_CONTROLPARENT;

// Registers the window classes "Shell_TrayWnd", "DV2ControlHost" and the
// decoy's; false when Windows refuses.
bool RegisterStageClasses();

// Creates a top-level window of a class, started as asked; null when absent.
HWND CreateStagedWindow(const char* className, const Look& start);

// What Windows reports of a window (absent for null).
WindowState ReadWindow(HWND window);

// Starts layerbar with an exact raw command line and waits for it, pumping
// this thread's messages meanwhile (layerbar's SetWindowLongA sends them
// here). False when it cannot start or does not end within the time out.
bool RunLayerbar(const std::string& exePath, const std::string& commandLine, DWORD& exitCode);

// A window's state as one line: "layered, key 0x00F8F8FF, alpha 224, flags 3
// (extended style 0x08080000)".
std::string Describe(const WindowState& state);
