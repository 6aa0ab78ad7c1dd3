#include "shell_stage.h"

#include <cstdio>

namespace {

// Handles every message already queued for this thread.
void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The name of a desktop, or "".
std::string DesktopName(HDESK desktop) {
    char name[256] = {};
    DWORD length = 0;
    return GetUserObjectInformationA(desktop, UOI_NAME, name, sizeof name, &length) != FALSE ? name
                                                                                             : "";
}

// The desktop layerbar runs on once this thread has left its own; "" before.
std::string& PrivateDesktop() {
    static std::string name;
    return name;
}

// Sleeps for good on the desktop of the process: under Wine a desktop ends
// a second after its last thread has left it, its taskbar with it.
DWORD WINAPI StayHome(void* /*unused*/) {
    Sleep(INFINITE);
    return 0;
}

// Where this thread came from, once it has left.
Home& HomeDesktop() {
    static Home home;
    return home;
}

}  // namespace

const Home& EnterPrivateDesktop() {
    Home& home = HomeDesktop();
    // Under Wine the desktop window comes up with the desktop's taskbar.
    GetDesktopWindow();
    home.taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    home.taskbarBefore = Describe(ReadWindow(home.taskbar));
    const std::string name = "layerbar-probe-" + std::to_string(GetCurrentProcessId());
    HDESK desktop = CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    home.desktop = DesktopName(GetThreadDesktop(GetCurrentThreadId()));
    if (desktop == nullptr || CreateThread(nullptr, 0, StayHome, nullptr, 0, nullptr) == nullptr ||
        SetThreadDesktop(desktop) == FALSE) {
        home.desktop = "";
    } else {
        PrivateDesktop() = name;
    }
    return home;
}

std::string CheckHome() {
    const Home& home = HomeDesktop();
    const std::string now = Describe(ReadWindow(home.taskbar));
    if (home.taskbar == nullptr || now == home.taskbarBefore) {
        return "";
    }
    return " the taskbar of the desktop " + home.desktop + " is " + now + ", was " +
           home.taskbarBefore + ";";
}

bool RegisterStageClasses() {
    for (const char* name : {"Shell_TrayWnd", "DV2ControlHost", "LayerbarDecoy"}) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = name;
        if (RegisterClassA(&windowClass) == 0) {
            return false;
        }
    }
    return true;
}

HWND CreateStagedWindow(const char* className, const Look& start) {
    if (!start.present) {
        return nullptr;
    }
    const DWORD exStyle = static_cast<DWORD>(UnrelatedStyle) | (start.layered ? WS_EX_LAYERED : 0);
    HWND window = CreateWindowExA(exStyle,
                                  className,
                                  "",
                                  WS_POPUP,
                                  0,
                                  0,
                                  64,
                                  16,
                                  nullptr,
                                  nullptr,
                                  GetModuleHandleA(nullptr),
                                  nullptr);
    if (window != nullptr && start.layered) {
        SetLayeredWindowAttributes(window, start.key, start.alpha, start.flags);
    }
    return window;
}

WindowState ReadWindow(HWND window) {
    WindowState state;
    if (window == nullptr) {
        return state;
    }
    state.present = true;
    state.exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    state.attributesRead =
        GetLayeredWindowAttributes(window, &state.key, &state.alpha, &state.flags) != FALSE;
    return state;
}

std::size_t WaitPumping(std::initializer_list<HANDLE> objects, DWORD timeoutMs) {
    const DWORD deadline = GetTickCount() + timeoutMs;
    const auto count = static_cast<DWORD>(objects.size());
    for (;;) {
        const DWORD now = GetTickCount();
        const DWORD left = static_cast<LONG>(deadline - now) > 0 ? deadline - now : 0;
        const DWORD woken =
            MsgWaitForMultipleObjects(count, objects.begin(), FALSE, left, QS_ALLINPUT);
        if (woken != WAIT_OBJECT_0 + count) {
            return woken < WAIT_OBJECT_0 + count ? woken - WAIT_OBJECT_0 : objects.size();
        }
        PumpMessages();
    }
}

HANDLE StartProgram(const std::string& exePath,
                    const std::string& commandLine,
                    const char* desktop) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = const_cast<char*>(desktop);
    PROCESS_INFORMATION process{};
    // CreateProcessA may write to the command line it is given.
    std::string line = commandLine;
    if (CreateProcessA(exePath.c_str(),
                       line.data(),
                       nullptr,
                       nullptr,
                       FALSE,
                       0,
                       nullptr,
                       nullptr,
                       &startup,
                       &process) == FALSE) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

std::string RunLayerbar(const std::string& exePath,
                        const std::string& commandLine,
                        DWORD& exitCode) {
    const std::string& desktop = PrivateDesktop();
    HANDLE process =
        StartProgram(exePath, commandLine, desktop.empty() ? nullptr : desktop.c_str());
    if (process == nullptr) {
        return "layerbar did not start (error " + std::to_string(GetLastError()) + ")";
    }
    const DWORD started = GetTickCount();
    const bool ended = WaitPumping({process}, RunTimeoutMs) == 0;
    const DWORD waited = GetTickCount() - started;
    if (!ended) {
        TerminateProcess(process, 1);
    }
    GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    PumpMessages();
    return ended ? ""
                 : "layerbar did not end within " + std::to_string(waited) + " ms, and was ended";
}

std::string Describe(const WindowState& state) {
    if (!state.present) {
        return "absent";
    }
    char text[96];
    std::string description;
    if ((state.exStyle & WS_EX_LAYERED) == 0) {
        description = "not layered";
    } else if (!state.attributesRead) {
        description = "layered, its attributes unreadable";
    } else {
        description = "layered";
        if ((state.flags & LWA_COLORKEY) != 0) {
            static_cast<void>(std::snprintf(text,
                                            sizeof text,
                                            ", colour key #%02X%02X%02X (COLORREF 0x%08lX)",
                                            GetRValue(state.key),
                                            GetGValue(state.key),
                                            GetBValue(state.key),
                                            state.key));
            description += text;
        }
        if ((state.flags & LWA_ALPHA) != 0) {
            description += ", opacity " + std::to_string(state.alpha);
        }
        if ((state.flags & (LWA_COLORKEY | LWA_ALPHA)) == 0) {
            description += ", neither colour key nor opacity in effect";
        }
    }
    static_cast<void>(std::snprintf(
        text, sizeof text, " (extended style 0x%08lX)", static_cast<unsigned long>(state.exStyle)));
    return description + text;
}
