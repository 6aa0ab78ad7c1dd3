#include "probe.h"

#include <cstdio>

HWND CreateStagedWindow(const char* className, const WindowState& start) {
    if (!start.present) {
        return nullptr;
    }
    HINSTANCE self = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    if (GetClassInfoA(self, className, &windowClass) == FALSE) {
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = self;
        windowClass.lpszClassName = className;
        windowClass.hbrBackground = CreateSolidBrush(StageColour);
        RegisterClassA(&windowClass);
    }
    const auto style = static_cast<DWORD>(start.exStyle);
    HWND window = CreateWindowExA(style, className, "", WS_POPUP, 0, 0, 64, 16, {}, {}, self, {});
    if (window != nullptr && start.attributesRead) {
        SetLayeredWindowAttributes(window, start.key, start.alpha, start.flags);
    }
    return window;
}

WindowState ReadWindow(HWND window) {
    WindowState state{.present = window != nullptr};
    if (state.present) {
        state.exStyle = GetWindowLongA(window, GWL_EXSTYLE);
        state.attributesRead =
            GetLayeredWindowAttributes(window, &state.key, &state.alpha, &state.flags) != FALSE;
    }
    return state;
}

std::string Describe(const WindowState& state) {
    if (!state.present) {
        return "absent";
    }
    const bool layered = (state.exStyle & WS_EX_LAYERED) != 0;
    std::string description = !layered               ? "not layered"
                              : state.attributesRead ? "layered"
                                                     : "layered, its attributes unreadable";
    char text[64];
    if (layered && (state.flags & LWA_COLORKEY) != 0) {
        static_cast<void>(std::snprintf(text,
                                        sizeof text,
                                        ", colour key #%02X%02X%02X (COLORREF 0x%08lX)",
                                        GetRValue(state.key),
                                        GetGValue(state.key),
                                        GetBValue(state.key),
                                        state.key));
        description += text;
    }
    if (layered && (state.flags & LWA_ALPHA) != 0) {
        description += ", opacity " + std::to_string(state.alpha);
    }
    static_cast<void>(std::snprintf(
        text, sizeof text, " (extended style 0x%08lX)", static_cast<unsigned long>(state.exStyle)));
    return description + text;
}

bool WaitPumping(HANDLE process, DWORD timeoutMs) {
    const DWORD deadline = GetTickCount() + timeoutMs;
    const DWORD count = process == nullptr ? 0 : 1;
    for (;;) {
        const auto left = static_cast<LONG>(deadline - GetTickCount());
        const DWORD woken = MsgWaitForMultipleObjects(
            count, &process, FALSE, left > 0 ? static_cast<DWORD>(left) : 0, QS_ALLINPUT);
        if (woken != WAIT_OBJECT_0 + count) {
            return count == 1 && woken == WAIT_OBJECT_0;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            DispatchMessageA(&message);
        }
    }
}

std::string RunLayerbar(const std::string& exePath,
                        const std::string& commandLine,
                        const char* desktop) {
    // How long one run of layerbar may take.
    constexpr DWORD RunTimeoutMs = 20000;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = const_cast<char*>(desktop);
    PROCESS_INFORMATION process{};
    // Starts it with the exact command line; CreateProcessA may write to the copy it is given.
    const auto start = [&] {
        std::string line = commandLine;
        return CreateProcessA(
                   exePath.c_str(), line.data(), {}, {}, FALSE, 0, {}, {}, &startup, &process) !=
               FALSE;
    };
    bool started = start();
    // Wine's CreateProcess fails so when the new process ends before its start-up is done, as it
    // did once under load: it is started once more.
    if (!started && GetLastError() == ERROR_INTERNAL_ERROR) {
        std::printf("note: Wine could not start layerbar (error 1359); starting it once more\n");
        started = start();
    }
    if (!started) {
        return "layerbar did not start (error " + std::to_string(GetLastError()) + ")";
    }
    CloseHandle(process.hThread);
    const bool ended = WaitPumping(process.hProcess, RunTimeoutMs);
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    WaitPumping(nullptr, 0);
    return !ended          ? "layerbar did not end within " + std::to_string(RunTimeoutMs) + " ms"
           : exitCode != 0 ? "layerbar exit code " + std::to_string(exitCode)
                           : "";
}
