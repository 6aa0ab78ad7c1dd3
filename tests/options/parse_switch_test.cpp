#include "options/parse_switch.h"
#include "settings/settings_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The defaults, which every case starts from.
constexpr int A = 224;
constexpr int C = 0x00F8F8FF;
constexpr int S = 255;

struct Case {
    std::vector<const char*> arguments;
    TranslucencySettings expected;
};

// The settings after parsing each argument in turn, from the defaults.
TranslucencySettings Parsed(std::vector<const char*> arguments) {
    TranslucencySettings settings;
    for (const char* argument : arguments) {
        ParseSwitch(argument, settings);
    }
    return settings;
}

// A case as a failure or a test listing shows it.
void PrintTo(const Case& c, std::ostream* out) {
    for (const char* argument : c.arguments) {
        *out << "'" << argument << "' ";
    }
}

class ParseSwitchTest : public testing::TestWithParam<Case> {};

TEST_P(ParseSwitchTest, UpdatesTheSettings) {
    EXPECT_EQ(Parsed(GetParam().arguments), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(PassedOver,
                         ParseSwitchTest,
                         testing::Values(Case{{"a"}, Settings(A, C, S, false, false, false)},
                                         Case{{"-a"}, Settings(A, C, S, false, false, false)},
                                         Case{{"/"}, Settings(A, C, S, false, false, false)},
                                         Case{{"-"}, Settings(A, C, S, false, false, false)},
                                         Case{{"c"}, Settings(A, C, S, false, false, false)},
                                         Case{{"--a5"}, Settings(A, C, S, false, false, false)},
                                         Case{{"/-a5"}, Settings(A, C, S, false, false, false)},
                                         Case{{"b100"}, Settings(A, C, S, false, false, false)},
                                         Case{{"x"}, Settings(A, C, S, false, false, false)},
                                         Case{{"A100"}, Settings(A, C, S, false, false, false)},
                                         Case{{":a5"}, Settings(A, C, S, false, false, false)}));

INSTANTIATE_TEST_SUITE_P(Opacities,
                         ParseSwitchTest,
                         testing::Values(Case{{"/a=128"}, Settings(128, C, S, true, false, false)},
                                         Case{{"-a:128"}, Settings(128, C, S, true, false, false)},
                                         Case{{"a128"}, Settings(128, C, S, true, false, false)},
                                         Case{{"a0"}, Settings(0, C, S, true, false, false)},
                                         Case{{"a255"}, Settings(255, C, S, true, false, false)},
                                         Case{{"a$ff"}, Settings(255, C, S, true, false, false)},
                                         Case{{"ax80"}, Settings(128, C, S, true, false, false)},
                                         Case{{"a0x10"}, Settings(16, C, S, true, false, false)},
                                         Case{{"a+200"}, Settings(200, C, S, true, false, false)},
                                         Case{{"a: 200"}, Settings(200, C, S, true, false, false)},
                                         Case{{"a 200"}, Settings(200, C, S, true, false, false)},
                                         Case{{"s100"}, Settings(A, C, 100, false, false, true)},
                                         Case{{"/s=0"}, Settings(A, C, 0, false, false, true)},
                                         Case{{"-a100", "-a50"},
                                              Settings(50, C, S, true, false, false)}));

INSTANTIATE_TEST_SUITE_P(
    FailedOpacities,
    ParseSwitchTest,
    testing::Values(Case{{"a:"}, Settings(-1, C, S, false, false, false)},
                    Case{{"a="}, Settings(-1, C, S, false, false, false)},
                    Case{{"a256"}, Settings(-1, C, S, false, false, false)},
                    Case{{"a-1"}, Settings(-1, C, S, false, false, false)},
                    Case{{"a12x"}, Settings(-1, C, S, false, false, false)},
                    Case{{"a200 "}, Settings(-1, C, S, false, false, false)},
                    Case{{"a::5"}, Settings(-1, C, S, false, false, false)},
                    Case{{"a$ffffffff"}, Settings(-1, C, S, false, false, false)},
                    Case{{"a200", "a999"}, Settings(-1, C, S, true, false, false)},
                    Case{{"s100", "s-5"}, Settings(A, C, -1, false, false, true)},
                    Case{{"a999", "a7"}, Settings(7, C, S, true, false, false)}));

INSTANTIATE_TEST_SUITE_P(
    ColourKeys,
    ParseSwitchTest,
    testing::Values(Case{{"c#ff0000"}, Settings(A, 0x000000FF, S, false, true, false)},
                    Case{{"cff0000"}, Settings(A, 0x00FF0000, S, false, true, false)},
                    Case{{"c$ff0000"}, Settings(A, 0x00FF0000, S, false, true, false)},
                    Case{{"-c#000000"}, Settings(A, 0, S, false, true, false)},
                    Case{{"c#123456"}, Settings(A, 0x00563412, S, false, true, false)},
                    Case{{"c#000000ff"}, Settings(A, 0x00FF0000, S, false, true, false)},
                    Case{{"c255"}, Settings(A, 0x00000255, S, false, true, false)},
                    Case{{"c#ff"}, Settings(A, 0x00FF0000, S, false, true, false)},
                    Case{{"c#0"}, Settings(A, 0, S, false, true, false)},
                    Case{{"c0"}, Settings(A, 0, S, false, true, false)},
                    Case{{"c$0"}, Settings(A, 0, S, false, true, false)},
                    Case{{"/c=#ffffff"}, Settings(A, 0x00FFFFFF, S, false, true, false)},
                    Case{{"c:ffffff"}, Settings(A, 0x00FFFFFF, S, false, true, false)}));

INSTANTIATE_TEST_SUITE_P(
    FailedColourKeys,
    ParseSwitchTest,
    testing::Values(Case{{"c#1000000"}, Settings(A, -1, S, false, false, false)},
                    Case{{"c$-1"}, Settings(A, -1, S, false, false, false)},
                    Case{{"c#"}, Settings(A, -1, S, false, false, false)},
                    Case{{"c:"}, Settings(A, -1, S, false, false, false)},
                    Case{{"c: ff"}, Settings(A, -1, S, false, false, false)},
                    Case{{"cx80"}, Settings(A, -1, S, false, false, false)},
                    Case{{"c0x80"}, Settings(A, -1, S, false, false, false)},
                    Case{{"c-1"}, Settings(A, -1, S, false, false, false)},
                    Case{{"c+ff"}, Settings(A, -1, S, false, false, false)},
                    Case{{"c#:ff"}, Settings(A, -1, S, false, false, false)},
                    Case{{"c$ffffffff"}, Settings(A, -1, S, false, false, false)},
                    Case{{"c$ 5"}, Settings(A, -1, S, false, false, false)},
                    Case{{"c#00ff00", "cxyz"}, Settings(A, -1, S, false, true, false)}));

}  // namespace
