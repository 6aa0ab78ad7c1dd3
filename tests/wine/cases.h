#pragma once

#include <string>

// Runs every case of layerbar on staged shell windows, printing one line a
// case; the number of cases that failed.
int RunCases(const std::string& exePath);
