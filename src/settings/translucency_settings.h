#pragma once

#include <cstdint>

// What one run asks of the two shell windows, settled from the command line.
// The flags only ever go from false to true; a value holds its default, a
// value in its accepted range, or -1 after a value that failed.
struct TranslucencySettings {
    // Taskbar opacity, 0 (invisible) to 255 (opaque).
    std::int32_t TaskbarAlpha = 224;
    // Taskbar colour made fully transparent, a COLORREF 0x00BBGGRR.
    std::int32_t ColorKey = 0x00F8F8FF;
    // Start-menu opacity; 255 leaves the start menu opaque.
    std::int32_t StartMenuAlpha = 255;
    // Apply TaskbarAlpha to the taskbar.
    bool AlphaGiven = false;
    // Apply ColorKey to the taskbar.
    bool ColorKeyGiven = false;
    // Make the start menu translucent at StartMenuAlpha.
    bool StartMenuGiven = false;
};
