#pragma once

#include <string>

// Runs layerbar twice with one command line on the taskbar of this desktop
// (the runner's own in continuous integration) and judges what it did: each
// run moves the taskbar to the other state, and from a taskbar that was not
// layered the second leaves it exactly as it started. Saves a picture of
// the taskbar before and after each run into a folder and prints how much
// of it changed; where the platform draws translucency, the applied picture
// must differ clearly from the opaque ones and the restored one match the
// start. The exit code: 0 when all holds, or when there is no taskbar.
int RealTaskbar(const std::string& exePath,
                const std::string& commandLine,
                const std::string& folder);
