#pragma once

#include "settings/translucency_settings.h"

// Folds 'A' to 'Z' to lower case in place, byte by byte; no other byte
// changes and no locale is consulted.
void LowerCase(char* text);

// Settles the settings from a raw command line. The first argument, the
// program name, is skipped. With no other argument the three requests are
// set on the defaults; otherwise each argument is lower-cased and parsed in
// turn, so a later switch overrides an earlier one.
void SettleSettings(const char* commandLine, TranslucencySettings& settings);

// The whole run: settings from the process command line, then the taskbar
// and start-menu toggle.
void RunSequence();
