#include "translucency/toggle.h"
#include "platform/recording_platform.h"
#include "settings/settings_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Unrelated extended-style bits every scripted window carries; they must survive.
constexpr int Other = 0x00000188;
// Other with WS_EX_LAYERED.
constexpr int Layered = Other | 0x00080000;

// The calls of the steps that recur in the expected sequences.
const std::string FindTaskbar = "FindWindowA(Shell_TrayWnd, NULL)";
const std::string ReadTaskbar = "GetWindowLongA(Shell_TrayWnd, -20)";
const std::string FindStartMenu = "FindWindowA(DV2ControlHost, NULL)";
const std::string ReadStartMenu = "GetWindowLongA(DV2ControlHost, -20)";
const std::vector<std::string> RestoreTaskbar = {
    "SetLayeredWindowAttributes(Shell_TrayWnd, 0x00000000, 255, 2)",
    "SetWindowLongA(Shell_TrayWnd, -20, 0x00000188)"};
const std::vector<std::string> RestoreStartMenu = {
    "SetLayeredWindowAttributes(DV2ControlHost, 0x00000000, 255, 2)",
    "SetWindowLongA(DV2ControlHost, -20, 0x00000188)"};

// The steps of a case, one after another.
std::vector<std::string> Calls(std::initializer_list<std::vector<std::string>> steps) {
    std::vector<std::string> calls;
    for (const std::vector<std::string>& step : steps) {
        calls.insert(calls.end(), step.begin(), step.end());
    }
    return calls;
}

// Applying to the taskbar with a key, an opacity and flags.
std::vector<std::string> ApplyTaskbar(const std::string& key, int alpha, int flags) {
    return {"SetWindowLongA(Shell_TrayWnd, -20, 0x00080188)",
            "SetLayeredWindowAttributes(Shell_TrayWnd, " + key + ", " + std::to_string(alpha) +
                ", " + std::to_string(flags) + ")"};
}

// Applying to the start menu with an opacity.
std::vector<std::string> ApplyStartMenu(int alpha) {
    return {
        ReadStartMenu,
        "SetWindowLongA(DV2ControlHost, -20, 0x00080188)",
        "SetLayeredWindowAttributes(DV2ControlHost, 0x00000000, " + std::to_string(alpha) + ", 2)"};
}

struct Case {
    std::string name;
    TranslucencySettings settings;
    std::vector<recording::ScriptedWindow> desktop;
    std::vector<std::string> expected;
};

// A case as a failure or a test listing shows it.
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class StyleTaskbarTest : public testing::TestWithParam<Case> {};

TEST_P(StyleTaskbarTest, MakesExactlyTheseCalls) {
    recording::Stage(GetParam().desktop);
    StyleTaskbar(GetParam().settings);
    EXPECT_EQ(recording::Calls(), GetParam().expected);
}

// The defaults, and the settings of a run without arguments.
const TranslucencySettings Defaults = Settings(224, 0x00F8F8FF, 255, false, false, false);
const TranslucencySettings NoArguments = Settings(224, 0x00F8F8FF, 255, true, true, true);

INSTANTIATE_TEST_SUITE_P(
    Windows,
    StyleTaskbarTest,
    testing::Values(
        Case{"NoTaskbarOneLookupOnly", NoArguments, {{"DV2ControlHost", Other}}, {FindTaskbar}},
        Case{"NoStartMenu",
             NoArguments,
             {{"Shell_TrayWnd", Other}},
             Calls({{FindTaskbar, ReadTaskbar},
                    ApplyTaskbar("0x00F8F8FF", 224, 3),
                    {FindStartMenu}})},
        Case{"NoArgumentsApplyTheDefaults",
             NoArguments,
             {{"Shell_TrayWnd", Other}, {"DV2ControlHost", Other}},
             Calls({{FindTaskbar, ReadTaskbar},
                    ApplyTaskbar("0x00F8F8FF", 224, 3),
                    {FindStartMenu, ReadStartMenu},
                    RestoreStartMenu})},
        Case{"LayeredWindowsAreRestored",
             NoArguments,
             {{"Shell_TrayWnd", Layered}, {"DV2ControlHost", Layered}},
             Calls({{FindTaskbar, ReadTaskbar},
                    RestoreTaskbar,
                    {FindStartMenu, ReadStartMenu},
                    RestoreStartMenu})},
        Case{"NothingAskedRestoresEvenUnlayered",
             Defaults,
             {{"Shell_TrayWnd", Other}, {"DV2ControlHost", Other}},
             Calls({{FindTaskbar, ReadTaskbar},
                    RestoreTaskbar,
                    {FindStartMenu, ReadStartMenu},
                    RestoreStartMenu})}),
    [](const auto& test) { return test.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Values,
    StyleTaskbarTest,
    testing::Values(Case{"ColourKeyAloneFlags1",
                         Settings(224, 0x00FFFFFF, 255, false, true, false),
                         {{"Shell_TrayWnd", Other}},
                         Calls({{FindTaskbar, ReadTaskbar},
                                ApplyTaskbar("0x00FFFFFF", 224, 1),
                                {FindStartMenu}})},
                    Case{"AlphaAloneFlags2",
                         Settings(180, 0x00F8F8FF, 255, true, false, false),
                         {{"Shell_TrayWnd", Other}},
                         Calls({{FindTaskbar, ReadTaskbar},
                                ApplyTaskbar("0x00F8F8FF", 180, 2),
                                {FindStartMenu}})},
                    Case{"FullOpacityStillLayers",
                         Settings(255, 0x00F8F8FF, 255, true, false, false),
                         {{"Shell_TrayWnd", Other}},
                         Calls({{FindTaskbar, ReadTaskbar},
                                ApplyTaskbar("0x00F8F8FF", 255, 2),
                                {FindStartMenu}})},
                    Case{"FailedAlphaArrivesAs255",
                         Settings(-1, 0x00F8F8FF, 255, true, false, false),
                         {{"Shell_TrayWnd", Other}},
                         Calls({{FindTaskbar, ReadTaskbar},
                                ApplyTaskbar("0x00F8F8FF", 255, 2),
                                {FindStartMenu}})},
                    Case{"FailedKeyArrivesWithAll32Bits",
                         Settings(224, -1, 255, false, true, false),
                         {{"Shell_TrayWnd", Other}},
                         Calls({{FindTaskbar, ReadTaskbar},
                                ApplyTaskbar("0xFFFFFFFF", 224, 1),
                                {FindStartMenu}})},
                    Case{"StartMenuAloneRestoresTheTaskbar",
                         Settings(224, 0x00F8F8FF, 100, false, false, true),
                         {{"Shell_TrayWnd", Other}, {"DV2ControlHost", Other}},
                         Calls({{FindTaskbar, ReadTaskbar},
                                RestoreTaskbar,
                                {FindStartMenu, ReadStartMenu},
                                ApplyStartMenu(100)})},
                    Case{"StartMenuAt255StaysOpaque",
                         Settings(224, 0x00F8F8FF, 255, false, false, true),
                         {{"Shell_TrayWnd", Other}, {"DV2ControlHost", Other}},
                         Calls({{FindTaskbar, ReadTaskbar},
                                RestoreTaskbar,
                                {FindStartMenu, ReadStartMenu},
                                RestoreStartMenu})},
                    Case{"StartMenuValueWithoutItsFlagStaysOpaque",
                         Settings(224, 0x00F8F8FF, 100, false, false, false),
                         {{"Shell_TrayWnd", Other}, {"DV2ControlHost", Other}},
                         Calls({{FindTaskbar, ReadTaskbar},
                                RestoreTaskbar,
                                {FindStartMenu, ReadStartMenu},
                                RestoreStartMenu})},
                    Case{"FailedStartMenuAlphaArrivesAs255",
                         Settings(224, 0x00F8F8FF, -1, false, false, true),
                         {{"Shell_TrayWnd", Other}, {"DV2ControlHost", Other}},
                         Calls({{FindTaskbar, ReadTaskbar},
                                RestoreTaskbar,
                                {FindStartMenu, ReadStartMenu},
                                ApplyStartMenu(255)})},
                    Case{"EachWindowDecidesOnItsOwnStyle",
                         Settings(200, 0x00F8F8FF, 50, true, false, true),
                         {{"Shell_TrayWnd", Layered}, {"DV2ControlHost", Other}},
                         Calls({{FindTaskbar, ReadTaskbar},
                                RestoreTaskbar,
                                {FindStartMenu, ReadStartMenu},
                                ApplyStartMenu(50)})},
                    Case{"AndTheOtherWayRound",
                         Settings(200, 0x00F8F8FF, 50, true, false, true),
                         {{"Shell_TrayWnd", Other}, {"DV2ControlHost", Layered}},
                         Calls({{FindTaskbar, ReadTaskbar},
                                ApplyTaskbar("0x00F8F8FF", 200, 2),
                                {FindStartMenu, ReadStartMenu},
                                RestoreStartMenu})}),
    [](const auto& test) { return test.param.name; });

}  // namespace
