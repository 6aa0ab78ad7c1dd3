#pragma once

#include <windows.h>

#include <string>

// The parts of probe.exe: its commands, and what they share (windows of the shell's classes staged
// for layerbar to act on, the state of a window, runs of layerbar).

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

// The colour staged windows show: magenta, alike as a COLORREF and a pixel.
constexpr DWORD StageColour = 0x00FF00FF;

// Creates a top-level window of a class of the probe's own, registered the first time, as a state
// asks; null for one absent, or when Windows refuses.
HWND CreateStagedWindow(const char* className, const WindowState& start);

// What Windows reports of a window (absent for null).
WindowState ReadWindow(HWND window);

// A window's state as a line with only the attributes in effect, the same for states alike in all
// that matters: "layered, opacity 224 (extended style 0x08080000)".
std::string Describe(const WindowState& state);

// Handles this thread's messages (another process's SetWindowLongA on its windows sends some) until
// a process, if any, ends or the time runs out; whether it ended.
bool WaitPumping(HANDLE process, DWORD timeoutMs);

// Runs layerbar with an exact raw command line on a desktop (null: this thread's), handling
// messages meanwhile; what went wrong (no start, no end in time, an exit code but 0), or "".
std::string RunLayerbar(const std::string& exePath,
                        const std::string& commandLine,
                        const char* desktop);

// Runs the cases, or the stress cases, on windows staged on a desktop of the probe's own, printing
// a line a case; the number that failed, or 1 when the desktop is not its own.
int RunCases(const std::string& exePath, bool stress);

// Runs layerbar twice on this desktop's taskbar, saving a picture of it into a folder before and
// after each run, and judges what it did (under Wine its states alone); 0 when all holds.
int RealTaskbar(const std::string& exePath,
                const std::string& commandLine,
                const std::string& folder);
