#pragma once

#include "settings/translucency_settings.h"

// Updates the settings from one lower-cased argument: 'a' (taskbar opacity),
// 'c' (taskbar colour key) or 's' (start-menu opacity), each with an optional
// '-' or '/' prefix and ':' or '=' separator. Anything else is passed over.
void ParseSwitch(const char* argument, TranslucencySettings& settings);
