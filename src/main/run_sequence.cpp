#include "main/run_sequence.h"

#include "main/next_argument.h"
#include "options/parse_switch.h"
#include "platform/platform.h"
#include "translucency/toggle.h"

#include <array>
#include <cstddef>

namespace {

// Room for any argument: Windows hands a program at most 65,535 bytes of
// ANSI command line, and an argument is never longer than its line.
constexpr std::size_t ArgumentCapacity = 65536;

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
