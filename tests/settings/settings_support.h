#pragma once

#include "settings/translucency_settings.h"

#include <ostream>

// Settings are equal when every field is.
inline bool operator==(const TranslucencySettings& a, const TranslucencySettings& b) {
    return a.TaskbarAlpha == b.TaskbarAlpha && a.ColorKey == b.ColorKey &&
           a.StartMenuAlpha == b.StartMenuAlpha && a.AlphaGiven == b.AlphaGiven &&
           a.ColorKeyGiven == b.ColorKeyGiven && a.StartMenuGiven == b.StartMenuGiven;
}

// Settings as GoogleTest prints them in a failure.
inline void PrintTo(const TranslucencySettings& s, std::ostream* out) {
    *out << "{a " << s.TaskbarAlpha << (s.AlphaGiven ? " given" : "") << ", c " << std::hex
         << s.ColorKey << std::dec << (s.ColorKeyGiven ? " given" : "") << ", s "
         << s.StartMenuAlpha << (s.StartMenuGiven ? " given" : "") << "}";
}

// Settings from their six fields in the record's order.
inline TranslucencySettings Settings(int taskbarAlpha,
                                     int colorKey,
                                     int startMenuAlpha,
                                     bool alphaGiven,
                                     bool colorKeyGiven,
                                     bool startMenuGiven) {
    return {taskbarAlpha, colorKey, startMenuAlpha, alphaGiven, colorKeyGiven, startMenuGiven};
}
