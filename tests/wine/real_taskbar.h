#pragma once

#include <string>

// Runs layerbar twice with one command line on the taskbar of this desktop, saving a picture of it
// into a folder before and after each run, and judges what it did; 0 when all holds, or there is no
// taskbar.
int RealTaskbar(const std::string& exePath,
                const std::string& commandLine,
                const std::string& folder);
