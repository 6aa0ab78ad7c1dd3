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

// A COLORREF from the text after 'c': '#RRGGBB', '$BBGGRR' or 'BBGGRR', all
// hexadecimal; Failed when it is not 0 to 0xFFFFFF.
std::int32_t ColorKeyFromText(const char* text) {
    const bool htmlOrder = *text == '#';
    std::int32_t value = Failed;
    if (htmlOrder) {
        value = IntegerFromHexDigits(text + 1, Failed);
    } else if (*text == '$') {
        value = IntegerFromText(text, Failed);
    } else {
        value = IntegerFromHexDigits(text, Failed);
    }
    if (value < 0 || value > LargestColor) {
        return Failed;
    }
    if (htmlOrder) {
        // RRGGBB to 0x00BBGGRR: the red and blue bytes change places.
        value = ((value >> 16) & 0xFF) | (value & 0xFF00) | ((value & 0xFF) << 16);
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
