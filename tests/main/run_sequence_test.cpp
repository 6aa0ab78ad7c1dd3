#include "main/run_sequence.h"
#include "platform/recording_platform.h"
#include "settings/settings_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The defaults.
constexpr int A = 224;
constexpr int C = 0x00F8F8FF;
constexpr int S = 255;

struct Case {
    std::string commandLine;
    TranslucencySettings expected;
};

// A case as a failure or a test listing shows it.
void PrintTo(const Case& c, std::ostream* out) {
    *out << "[" << c.commandLine << "]";
}

class SettleSettingsTest : public testing::TestWithParam<Case> {};

TEST_P(SettleSettingsTest, SettlesTheSettingsFromTheCommandLine) {
    recording::Stage({}, GetParam().commandLine);
    TranslucencySettings settings;
    SettleSettings(GetParam().commandLine.c_str(), settings);
    EXPECT_EQ(settings, GetParam().expected) << "command line [" << GetParam().commandLine << "]";
}

INSTANTIATE_TEST_SUITE_P(
    NoArguments,
    SettleSettingsTest,
    testing::Values(Case{"layerbar.exe", Settings(A, C, S, true, true, true)},
                    Case{"\"C:\\Program Files\\layerbar.exe\"  \t ",
                         Settings(A, C, S, true, true, true)},
                    Case{"layerbar.exe \"\" \"\"", Settings(A, C, S, true, true, true)},
                    Case{"layerbar.exe \"", Settings(A, C, S, true, true, true)},
                    Case{"", Settings(A, C, S, true, true, true)}));

INSTANTIATE_TEST_SUITE_P(
    Arguments,
    SettleSettingsTest,
    testing::Values(Case{"layerbar.exe x --a100 b5", Settings(A, C, S, false, false, false)},
                    Case{"layerbar.exe -A:200", Settings(200, C, S, true, false, false)},
                    Case{"layerbar.exe -a:200", Settings(200, C, S, true, false, false)},
                    Case{"layerbar.exe /C=#FF0000", Settings(A, 0xFF, S, false, true, false)},
                    Case{"layerbar.exe -a:180 -c#000000", Settings(180, 0, S, true, true, false)},
                    Case{"layerbar.exe \"-a 200\"", Settings(200, C, S, true, false, false)},
                    Case{"layerbar.exe -a 200", Settings(A, C, S, false, false, false)},
                    Case{"layerbar.exe -a100 -a50", Settings(50, C, S, true, false, false)},
                    Case{"layerbar.exe s100", Settings(A, C, 100, false, false, true)},
                    Case{"layerbar.exe a200 a999", Settings(-1, C, S, true, false, false)},
                    Case{"layerbar.exe \"\" a7 \"\" s9", Settings(7, C, 9, true, false, true)},
                    Case{"layerbar.exe a7 \" s9", Settings(7, C, S, true, false, false)},
                    Case{"layerbar.exe a7 \"\" \"", Settings(7, C, S, true, false, false)},
                    Case{"layerbar.exe \"a: 200\"", Settings(200, C, S, true, false, false)},
                    Case{"layerbar.exe \"c: ff\"", Settings(A, -1, S, false, false, false)},
                    Case{"layerbar.exe a\"1\"2\"3", Settings(123, C, S, true, false, false)}));

TEST(SettleSettingsTest, ReadsAnArgumentAsLongAsAnyWindowsCommandLine) {
    // The longest command line Windows passes is 32,767 UTF-16 units, each
    // up to 3 bytes in the UTF-8 ANSI code page: 98,301 bytes, more than 64 KiB.
    const std::string prefix = "layerbar.exe a";
    const std::string longest = prefix + std::string(32767 * 3 - prefix.size() - 3, '0') + "123";
    recording::Stage({}, longest);
    TranslucencySettings settings;
    SettleSettings(longest.c_str(), settings);
    EXPECT_EQ(settings, Settings(123, C, S, true, false, false));
}

TEST(LowerCaseTest, FoldsOnlyAToZ) {
    // The neighbours of 'A' and 'Z', and letters above 0x7F that a locale would fold.
    std::string text = "@AMZ[`amz{\xC0\xC9\xDE\x81\x41";
    LowerCase(text.data());
    EXPECT_EQ(text, "@amz[`amz{\xC0\xC9\xDE\x81\x61");
}

struct RunCase {
    std::string name;
    std::string commandLine;
    std::vector<recording::ScriptedWindow> desktop;
    std::vector<std::string> expected;
};

// A case as a failure or a test listing shows it.
void PrintTo(const RunCase& c, std::ostream* out) {
    *out << c.name;
}

class RunSequenceTest : public testing::TestWithParam<RunCase> {};

TEST_P(RunSequenceTest, SettlesThenStylesTheWindows) {
    recording::Stage(GetParam().desktop, GetParam().commandLine);
    RunSequence();
    EXPECT_EQ(recording::Calls(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Runs,
    RunSequenceTest,
    testing::Values(RunCase{"NoArgumentsApplyTheDefaults",
                            "layerbar.exe",
                            {{"Shell_TrayWnd", 0x100}, {"DV2ControlHost", 0x8}},
                            {"FindWindowA(Shell_TrayWnd, NULL)",
                             "GetWindowLongA(Shell_TrayWnd, -20)",
                             "SetWindowLongA(Shell_TrayWnd, -20, 0x00080100)",
                             "SetLayeredWindowAttributes(Shell_TrayWnd, 0x00F8F8FF, 224, 3)",
                             "FindWindowA(DV2ControlHost, NULL)",
                             "GetWindowLongA(DV2ControlHost, -20)",
                             "SetLayeredWindowAttributes(DV2ControlHost, 0x00000000, 255, 2)",
                             "SetWindowLongA(DV2ControlHost, -20, 0x00000008)"}},
                    RunCase{"UnderstoodNothingRestoresBoth",
                            "layerbar.exe x",
                            {{"Shell_TrayWnd", 0}, {"DV2ControlHost", 0x00080000}},
                            {"FindWindowA(Shell_TrayWnd, NULL)",
                             "GetWindowLongA(Shell_TrayWnd, -20)",
                             "SetLayeredWindowAttributes(Shell_TrayWnd, 0x00000000, 255, 2)",
                             "SetWindowLongA(Shell_TrayWnd, -20, 0x00000000)",
                             "FindWindowA(DV2ControlHost, NULL)",
                             "GetWindowLongA(DV2ControlHost, -20)",
                             "SetLayeredWindowAttributes(DV2ControlHost, 0x00000000, 255, 2)",
                             "SetWindowLongA(DV2ControlHost, -20, 0x00000000)"}},
                    RunCase{"NoTaskbarNoOtherCall",
                            "layerbar.exe -a:180",
                            {{"DV2ControlHost", 0}},
                            {"FindWindowA(Shell_TrayWnd, NULL)"}}),
    [](const auto& test) { return test.param.name; });

TEST(RunSequenceTest, TheSameCommandTwiceAppliesThenRestores) {
    recording::Stage({{"Shell_TrayWnd", 0x100}}, "layerbar.exe -a:180 -c#000000");
    RunSequence();
    EXPECT_EQ(recording::Window("Shell_TrayWnd").exStyle, 0x00080100);
    EXPECT_EQ(recording::Window("Shell_TrayWnd").key, 0U);
    EXPECT_EQ(recording::Window("Shell_TrayWnd").alpha, 180);
    EXPECT_EQ(recording::Window("Shell_TrayWnd").flags, 3U);
    RunSequence();
    EXPECT_EQ(recording::Window("Shell_TrayWnd").exStyle, 0x100);
    EXPECT_EQ(recording::Window("Shell_TrayWnd").alpha, 255);
    EXPECT_EQ(recording::Window("Shell_TrayWnd").flags, 2U);
}

}  // namespace
