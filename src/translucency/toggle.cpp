#include "translucency/toggle.h"

using platform::GWL_EXSTYLE;
using platform::LWA_ALPHA;
using platform::LWA_COLORKEY;
using platform::WS_EX_LAYERED;

namespace {

// Window class of the taskbar.
constexpr const char* TaskbarClass = "Shell_TrayWnd";
// Window class of the start-menu host window.
constexpr const char* StartMenuClass = "DV2ControlHost";
// Opacity of an opaque window.
constexpr std::uint8_t Opaque = 255;

// The low byte of an opacity, which is all the platform takes.
std::uint8_t AlphaByte(std::int32_t alpha) {
    return static_cast<std::uint8_t>(alpha & 0xFF);
}

}  // namespace

void MakeOpaque(platform::WindowHandle window, std::int32_t style) {
    // LWA_ALPHA is the flag, not the opacity, whatever its name suggests.
    // NOLINTNEXTLINE(readability-suspicious-call-argument)
    platform::SetLayeredWindowAttributes(window, 0, Opaque, LWA_ALPHA);
    platform::SetWindowLongA(window, GWL_EXSTYLE, style & ~WS_EX_LAYERED);
}

void StyleTaskbar(const TranslucencySettings& settings) {
    platform::WindowHandle window = platform::FindWindowA(TaskbarClass, nullptr);
    if (window == nullptr) {
        return;
    }
    const std::int32_t style = platform::GetWindowLongA(window, GWL_EXSTYLE);
    if ((style & WS_EX_LAYERED) != 0 || !(settings.AlphaGiven || settings.ColorKeyGiven)) {
        MakeOpaque(window, style);
    } else {
        const std::uint32_t flags =
            (settings.AlphaGiven ? LWA_ALPHA : 0U) | (settings.ColorKeyGiven ? LWA_COLORKEY : 0U);
        platform::SetWindowLongA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
        platform::SetLayeredWindowAttributes(window,
                                             static_cast<std::uint32_t>(settings.ColorKey),
                                             AlphaByte(settings.TaskbarAlpha),
                                             flags);
    }
    StyleStartMenu(settings);
}

void StyleStartMenu(const TranslucencySettings& settings) {
    platform::WindowHandle window = platform::FindWindowA(StartMenuClass, nullptr);
    if (window == nullptr) {
        return;
    }
    const std::int32_t style = platform::GetWindowLongA(window, GWL_EXSTYLE);
    if ((style & WS_EX_LAYERED) != 0 || settings.StartMenuAlpha == Opaque ||
        !settings.StartMenuGiven) {
        MakeOpaque(window, style);
        return;
    }
    // Applying reads the style once more and sets that value with WS_EX_LAYERED added.
    platform::SetWindowLongA(
        window, GWL_EXSTYLE, platform::GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    platform::SetLayeredWindowAttributes(window, 0, AlphaByte(settings.StartMenuAlpha), LWA_ALPHA);
}
