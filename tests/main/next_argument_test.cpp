#include "main/next_argument.h"
#include "platform/recording_platform.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

// Lead bytes of a Shift-JIS-like double-byte code page.
const std::string DoubleByte = "\x81\x82\x9F\xE0\xFC";

// Every argument of a command line, the program name first, up to the first
// empty one.
std::vector<std::string> Arguments(const std::string& commandLine, const std::string& leadBytes) {
    recording::Stage({}, commandLine, leadBytes);
    std::array<char, 256> argument{};
    std::vector<std::string> arguments;
    const char* cursor = commandLine.c_str();
    for (;;) {
        cursor = NextArgument(cursor, argument.data(), argument.size());
        if (argument[0] == '\0') {
            return arguments;
        }
        arguments.emplace_back(argument.data());
    }
}

struct Case {
    std::string commandLine;
    std::vector<std::string> expected;
    std::string leadBytes = "";
};

// A case as a failure or a test listing shows it.
void PrintTo(const Case& c, std::ostream* out) {
    *out << "[" << c.commandLine << "]";
}

class NextArgumentTest : public testing::TestWithParam<Case> {};

TEST_P(NextArgumentTest, CutsTheCommandLine) {
    EXPECT_EQ(Arguments(GetParam().commandLine, GetParam().leadBytes), GetParam().expected)
        << "command line [" << GetParam().commandLine << "]";
}

INSTANTIATE_TEST_SUITE_P(
    BlanksAndPlainText,
    NextArgumentTest,
    testing::Values(Case{"", {}},
                    Case{"   ", {}},
                    Case{"layerbar.exe", {"layerbar.exe"}},
                    Case{"  p  -a:180   -c#000000  ", {"p", "-a:180", "-c#000000"}},
                    Case{"p\t-a1\r\n-a2\x01-a3\x1F\x20-a4", {"p", "-a1", "-a2", "-a3", "-a4"}},
                    Case{"p \x7F\x80\xFF", {"p", "\x7F\x80\xFF"}},
                    Case{"p a\\b c\\", {"p", "a\\b", "c\\"}}));

INSTANTIATE_TEST_SUITE_P(DoubleQuotes,
                         NextArgumentTest,
                         testing::Values(Case{"\"C:\\Program Files\\layerbar.exe\" -a:180",
                                              {"C:\\Program Files\\layerbar.exe", "-a:180"}},
                                         Case{"p ab\"c d\"e", {"p", "abc de"}},
                                         Case{"p \"-a 200\"", {"p", "-a 200"}},
                                         Case{"p -a 200", {"p", "-a", "200"}},
                                         Case{"p \"\" a \"\"\"\" b", {"p", "a", "b"}},
                                         Case{"p \"\"a", {"p", "a"}},
                                         Case{"p \"\" \"\"", {"p"}},
                                         Case{"p a\"\"b", {"p", "ab"}},
                                         Case{"p \"a\"\"b\"", {"p", "ab"}},
                                         Case{"p \"\"\"a b\"", {"p", "a b"}},
                                         Case{"p a\\\"b c", {"p", "a\\b c"}},
                                         Case{"p \"open to the end", {"p", "open to the end"}},
                                         Case{"p a \"", {"p", "a"}},
                                         Case{"p \" b", {"p", " b"}},
                                         Case{"p \"\" \" b", {"p", " b"}},
                                         Case{"\"\" p a", {"p", "a"}},
                                         Case{"p \"\t\x01\"", {"p", "\t\x01"}}));

INSTANTIATE_TEST_SUITE_P(
    DoubleByteCharacters,
    NextArgumentTest,
    testing::Values(Case{"p \x81\"x \x82 y", {"p", "\x81\"x", "\x82 y"}, DoubleByte},
                    Case{"p \"\x81\" b\"", {"p", "\x81\" b"}, DoubleByte},
                    Case{"p a\x81", {"p", "a\x81"}, DoubleByte},
                    Case{"p \x81\"x", {"p", "\x81x"}, ""}));

TEST(NextArgumentTest, StoresNoMoreThanItsRoomAndStillReadsToTheArgumentsEnd) {
    recording::Stage({}, "");
    std::array<char, 8> argument{};
    argument.fill('#');
    const char* line = "abcdefghijklmnop next";
    const char* cursor = NextArgument(line, argument.data(), 4);
    EXPECT_EQ(std::string(argument.data()), "abc");
    EXPECT_EQ(argument[4], '#');
    cursor = NextArgument(cursor, argument.data(), argument.size());
    EXPECT_EQ(std::string(argument.data()), "next");
}

}  // namespace
