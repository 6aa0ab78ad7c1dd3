#pragma once

#include <string>

// Runs every case of layerbar, or every stress case, on shell windows the probe stages on a desktop
// of its own, printing one line a case; the number that failed, or 1 when its desktop is not its
// own.
int RunCases(const std::string& exePath, bool stress);
