#include "shell_stage.h"

#include <cstdio>
#include <vector>

namespace {

// How long one run of layerbar may take.
constexpr DWORD RunTimeoutMs = 20000;

// Handles every message already queued for this thread.
void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

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

bool RunLayerbar(const std::string& exePath, const std::string& commandLine, DWORD& exitCode) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(exePath.c_str(),
                        line.data(),
                        nullptr,
                        nullptr,
                        FALSE,
                        0,
                        nullptr,
                        nullptr,
                        &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    const DWORD deadline = GetTickCount() + RunTimeoutMs;
    bool ended = false;
    for (;;) {
        const DWORD now = GetTickCount();
        const DWORD left = static_cast<LONG>(deadline - now) > 0 ? deadline - now : 0;
        const DWORD woken =
            MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, left, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) {
            ended = true;
            break;
        }
        if (woken != WAIT_OBJECT_0 + 1) {
            break;
        }
        PumpMessages();
    }
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
    }
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    PumpMessages();
    return ended;
}

std::string Describe(const WindowState& state) {
    if (!state.present) {
        return "absent";
    }
    char text[160];
    if ((state.exStyle & WS_EX_LAYERED) != 0 && state.attributesRead) {
        std::snprintf(text,
                      sizeof text,
                      "layered, key 0x%08lX, alpha %u, flags %lu (extended style 0x%08lX)",
                      state.key,
                      state.alpha,
                      state.flags,
                      static_cast<unsigned long>(state.exStyle));
    } else {
        std::snprintf(text,
                      sizeof text,
                      "%s (extended style 0x%08lX)",
                      (state.exStyle & WS_EX_LAYERED) != 0 ? "layered" : "not layered",
                      static_cast<unsigned long>(state.exStyle));
    }
    return text;
}
