#pragma once

#include "platform/platform.h"
#include "settings/translucency_settings.h"

#include <cstdint>

// Sets a window back to opaque and not layered, from the extended style read
// before the decision.
void MakeOpaque(platform::WindowHandle window, std::int32_t style);

// Restores the taskbar if it is layered or no taskbar value is asked for, and
// makes it translucent otherwise; then, if there is a taskbar, goes on to the
// start menu.
void StyleTaskbar(const TranslucencySettings& settings);

// Restores the start-menu host window if it is layered or no start-menu
// opacity is asked for, and makes it translucent otherwise.
void StyleStartMenu(const TranslucencySettings& settings);
