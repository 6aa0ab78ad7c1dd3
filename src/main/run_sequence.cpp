#include "main/run_sequence.h"

#include "main/next_argument.h"
#include "options/parse_switch.h"
#include "platform/platform.h"
#include "translucency/toggle.h"

#include <array>
#include <cstddef>

namespace {

// The longest command line Windows passes, in UTF-16 units.
constexpr std::size_t LongestCommandLineUnits = 32767;
// Room for any argument, which is never longer than its line: in the ANSI
// code page, UTF-8 included, a UTF-16 unit takes at most 3 bytes.
constexpr std::size_t ArgumentCapacity = LongestCommandLineUnits * 3 + 1;

}  // namespace

void LowerCase(char* text) {
    for (; *text != '\0'; ++text) {
        if (*text >= 'A' && *text <= 'Z') {
            *text = static_cast<char>(*text + ('a' - 'A'));
        }
    }
}

void SettleSettings(const char* commandLine, TranslucencySettings& settings) {
    // The copy of the argument of the moment; static, so that the program
    // neither allocates nor needs a stack probe for it.
    static std::array<char, ArgumentCapacity> argument{};
    const char* cursor = NextArgument(commandLine, argument.data(), argument.size());
    cursor = NextArgument(cursor, argument.data(), argument.size());
    if (argument[0] == '\0') {
        settings.AlphaGiven = true;
        settings.ColorKeyGiven = true;
        settings.StartMenuGiven = true;
        return;
    }
    while (argument[0] != '\0') {
        LowerCase(argument.data());
        ParseSwitch(argument.data(), settings);
        cursor = NextArgument(cursor, argument.data(), argument.size());
    }
}

void RunSequence() {
    TranslucencySettings settings;
    SettleSettings(platform::GetCommandLineA(), settings);
    StyleTaskbar(settings);
}
