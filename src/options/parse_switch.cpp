#include "options/parse_switch.h"

#include "options/integer_from_text.h"

namespace {

// What a value that fails its conversion or its range check becomes.
constexpr std::int32_t Failed = -1;
// Largest opacity.
constexpr std::int32_t LargestAlpha = 255;
// Largest colour, 0xFFFFFF.
constexpr std::int32_t LargestColor = 0x00FFFFFF;

// An opacity from its text, or Failed when it is not 0 to 255.
std::int32_t AlphaFromText(const char* text) {
    const std::int32_t value = IntegerFromText(text, Failed);
    return value >= 0 && value <= LargestAlpha ? value : Failed;
}

// The value of the text after 'c', all hexadecimal: '#RRGGBB', '$BBGGRR' or
// 'BBGGRR'; Failed when it breaks the number syntax.
std::int32_t ColorValue(const char* text) {
    if (*text == '#') {
        return IntegerFromHexDigits(text + 1, Failed);
    }
    if (*text == '$') {
        return IntegerFromText(text, Failed);
    }
    return IntegerFromHexDigits(text, Failed);
}

// A COLORREF from the text after 'c'; Failed when it is not 0 to 0xFFFFFF.
std::int32_t ColorKeyFromText(const char* text) {
    const std::int32_t value = ColorValue(text);
    if (value < 0 || value > LargestColor) {
        return Failed;
    }
    if (*text == '#') {
        // RRGGBB to 0x00BBGGRR: the red and blue bytes change places.
        return ((value >> 16) & 0xFF) | (value & 0xFF00) | ((value & 0xFF) << 16);
    }
    return value;
}

}  // namespace

void ParseSwitch(const char* argument, TranslucencySettings& settings) {
    if (*argument == '-' || *argument == '/') {
        ++argument;
    }
    if (argument[0] == '\0' || argument[1] == '\0') {
        return;
    }
    const char letter = argument[0];
    const char* value = argument[1] == ':' || argument[1] == '=' ? argument + 2 : argument + 1;
    switch (letter) {
        case 'a':
            settings.TaskbarAlpha = AlphaFromText(value);
            settings.AlphaGiven = settings.AlphaGiven || settings.TaskbarAlpha != Failed;
            break;
        case 's':
            settings.StartMenuAlpha = AlphaFromText(value);
            settings.StartMenuGiven = settings.StartMenuGiven || settings.StartMenuAlpha != Failed;
            break;
        case 'c':
            settings.ColorKey = ColorKeyFromText(value);
            settings.ColorKeyGiven = settings.ColorKeyGiven || settings.ColorKey != Failed;
            break;
        default:
            break;
    }
}
