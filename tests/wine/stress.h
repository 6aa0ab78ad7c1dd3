#pragma once

#include <string>

// Runs layerbar on staged shell windows with the hardest input Windows can
// hand it: the longest command line, every byte value, quotes left open,
// and 200 runs in a row; prints one line a case; the number that failed.
int RunStress(const std::string& exePath);
