#pragma once

#include <windows.h>

#include <initializer_list>
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

// The longest command line CreateProcessA takes, its terminating null aside.
constexpr std::size_t LongestCommandLine = 32766;

// How long one run of a program, or its coming up, may take.
constexpr DWORD RunTimeoutMs = 20000;

// Extended-style bits unrelated to layering that every staged window carries.
constexpr LONG UnrelatedStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_CONTROLPARENT;

// The desktop this thread came from and its taskbar, as they were when it
// left: explorer's taskbar on Windows, the hidden one Wine's desktop keeps.
struct Home {
    // The name of that desktop; "" when Windows refused a desktop of its own.
    std::string desktop;
    // Its taskbar, null where there is none, and that taskbar's state then.
    HWND taskbar = nullptr;
    std::string taskbarBefore;
};

// Moves this thread onto a new desktop of its own, where every window it
// stages from then on lives and every later run of layerbar starts; the
// desktop it came from.
const Home& EnterPrivateDesktop();

// What became of the taskbar of the desktop this thread came from, which
// layerbar must leave alone; "" while it is as it was, or there is none.
std::string CheckHome();

// Registers the window classes "Shell_TrayWnd", "DV2ControlHost" and the
// decoy's; false when Windows refuses.
bool RegisterStageClasses();

// Creates a top-level window of a class, started as asked; null when absent.
HWND CreateStagedWindow(const char* className, const Look& start);

// What Windows reports of a window (absent for null).
WindowState ReadWindow(HWND window);

// Waits for one of the objects to be signalled, pumping this thread's
// messages meanwhile (a SetWindowLongA on its windows from another process
// sends them here); the index of that object, or their count when the time
// runs out first.
std::size_t WaitPumping(std::initializer_list<HANDLE> objects, DWORD timeoutMs);

// Starts a program with an exact raw command line on a desktop (null for
// this process's own); its process handle, or null with the error in
// GetLastError.
HANDLE StartProgram(const std::string& exePath,
                    const std::string& commandLine,
                    const char* desktop);

// Starts layerbar with an exact raw command line, on the private desktop
// once there is one, and waits for it, pumping messages meanwhile. What
// went wrong: that it could not start, with the error, or did not end
// within the time out; "" when it ran, its exit code then set.
std::string RunLayerbar(const std::string& exePath,
                        const std::string& commandLine,
                        DWORD& exitCode);

// A window's state as one line, with only the attributes in effect:
// "layered, colour key #FFF8F8 (COLORREF 0x00F8F8FF), opacity 224 (extended
// style 0x08080000)".
std::string Describe(const WindowState& state);
