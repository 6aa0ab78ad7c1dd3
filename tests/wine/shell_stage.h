#pragma once

#include <windows.h>

#include <string>

// Windows of the shell's classes staged for layerbar to act on, the state
// of a window, and runs of layerbar: what the probe's commands share.

// A window as Windows reports it, or as a case expects it to be.
struct WindowState {
    // Whether there is such a window.
    bool present = true;
    // Its extended style.
    LONG exStyle = 0;
    // Whether GetLayeredWindowAttributes gave its attributes, and those.
    bool attributesRead = false;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};

// Extended-style bits unrelated to layering that every staged window carries.
constexpr LONG UnrelatedStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_CONTROLPARENT;

// The longest command line CreateProcessA takes, its terminating null aside.
constexpr std::size_t LongestCommandLine = 32766;

// Registers the window classes "Shell_TrayWnd", "DV2ControlHost" and the
// decoy's; false when Windows refuses.
bool RegisterStageClasses();

// Creates a top-level window of a class, as a state asks; null for one absent.
HWND CreateStagedWindow(const char* className, const WindowState& start);

// What Windows reports of a window (absent for null).
WindowState ReadWindow(HWND window);

// A window's state as one line, with only the attributes in effect:
// "layered, colour key #FFF8F8 (COLORREF 0x00F8F8FF), opacity 224 (extended
// style 0x08080000)". Two states alike in all that matters read the same.
std::string Describe(const WindowState& state);

// Handles this thread's messages (a SetWindowLongA on its windows from
// another process sends them here) until a process ends or the time runs
// out; whether it ended. Without a process, it just waits.
bool WaitPumping(HANDLE process, DWORD timeoutMs);

// Starts layerbar with an exact raw command line on a desktop (null for
// this thread's) and waits for it, handling messages meanwhile. What went
// wrong: that it did not start, with the error, or did not end in time; ""
// when it ran, exitCode then set.
std::string RunLayerbar(const std::string& exePath,
                        const std::string& commandLine,
                        const char* desktop,
                        DWORD& exitCode);
