#include "platform/platform.h"

// windows.h comes after platform.h: it defines GWL_EXSTYLE and the other
// constants as macros, which would rewrite their declarations there.
#include <windows.h>

namespace platform {

WindowHandle FindWindowA(const char* className, const char* windowName) {
    return ::FindWindowA(className, windowName);
}

std::int32_t GetWindowLongA(WindowHandle window, std::int32_t index) {
    return ::GetWindowLongA(static_cast<HWND>(window), index);
}

void SetWindowLongA(WindowHandle window, std::int32_t index, std::int32_t value) {
    ::SetWindowLongA(static_cast<HWND>(window), index, value);
}

void SetLayeredWindowAttributes(WindowHandle window,
                                std::uint32_t key,
                                std::uint8_t alpha,
                                std::uint32_t flags) {
    ::SetLayeredWindowAttributes(static_cast<HWND>(window), key, alpha, flags);
}

const char* GetCommandLineA() {
    return ::GetCommandLineA();
}

const char* CharNextA(const char* text) {
    return ::CharNextA(text);
}

void ExitProcess(std::uint32_t exitCode) {
    ::ExitProcess(exitCode);
}

}  // namespace platform
