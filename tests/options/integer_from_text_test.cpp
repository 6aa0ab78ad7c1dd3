#include "options/integer_from_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

// A fallback no case expects as a value, so a failure cannot pass as one.
constexpr std::int32_t Fails = 777777;
constexpr std::int32_t Min = std::numeric_limits<std::int32_t>::min();

struct Case {
    const char* text;
    std::int32_t expected;
};

// A case as a failure or a test listing shows it.
void PrintTo(const Case& c, std::ostream* out) {
    *out << "'" << c.text << "'";
}

class IntegerFromTextTest : public testing::TestWithParam<Case> {};

TEST_P(IntegerFromTextTest, ReadsTheNumberSyntax) {
    EXPECT_EQ(IntegerFromText(GetParam().text, Fails), GetParam().expected)
        << "text '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(Decimal,
                         IntegerFromTextTest,
                         testing::Values(Case{"0", 0},
                                         Case{"-0", 0},
                                         Case{"+0", 0},
                                         Case{"12", 12},
                                         Case{"012", 12},
                                         Case{"+200", 200},
                                         Case{"-5", -5},
                                         Case{"2147483647", 2147483647},
                                         Case{"0000000000002147483647", 2147483647},
                                         Case{"2147483648", Fails},
                                         Case{"-2147483648", Min},
                                         Case{"-2147483649", Fails},
                                         Case{"214748364", 214748364},
                                         Case{"2147483649", Fails},
                                         Case{"21474836470", Fails},
                                         Case{"99999999999", Fails}));

INSTANTIATE_TEST_SUITE_P(Hexadecimal,
                         IntegerFromTextTest,
                         testing::Values(Case{"$ff", 255},
                                         Case{"$FF", 255},
                                         Case{"x80", 128},
                                         Case{"X80", 128},
                                         Case{"0x10", 16},
                                         Case{"0X10", 16},
                                         Case{"-$10", -16},
                                         Case{"+$10", 16},
                                         Case{"$7FFFFFFF", 2147483647},
                                         Case{"$80000000", Min},
                                         Case{"$FFFFFFFF", -1},
                                         Case{"-$FFFFFFFF", 1},
                                         Case{"-$80000000", Min},
                                         Case{"$000000000FFFFFFFF", -1},
                                         Case{"$100000000", Fails},
                                         Case{"$123456789", Fails},
                                         Case{"$", Fails},
                                         Case{"0x", Fails},
                                         Case{"x", Fails},
                                         Case{"$g", Fails},
                                         Case{"$-1", Fails},
                                         Case{"$+1", Fails},
                                         Case{"0x0x1", Fails},
                                         Case{"00x10", Fails},
                                         Case{"$ 1", Fails}));

INSTANTIATE_TEST_SUITE_P(BlanksSignsAndStrayCharacters,
                         IntegerFromTextTest,
                         testing::Values(Case{"", Fails},
                                         Case{" ", Fails},
                                         Case{"   7", 7},
                                         Case{"  -7", -7},
                                         Case{"  $f", 15},
                                         Case{"7 ", Fails},
                                         Case{"\t7", Fails},
                                         Case{"- 7", Fails},
                                         Case{"+-7", Fails},
                                         Case{"--7", Fails},
                                         Case{"+", Fails},
                                         Case{"-", Fails},
                                         Case{"12x", Fails},
                                         Case{"1 2", Fails},
                                         Case{"1.5", Fails},
                                         Case{"\xB9", Fails}));

class IntegerFromHexDigitsTest : public testing::TestWithParam<Case> {};

TEST_P(IntegerFromHexDigitsTest, ReadsDigitsAsIfBehindADollar) {
    EXPECT_EQ(IntegerFromHexDigits(GetParam().text, Fails), GetParam().expected)
        << "digits '" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(Digits,
                         IntegerFromHexDigitsTest,
                         testing::Values(Case{"ff", 255},
                                         Case{"F8F8FF", 0xF8F8FF},
                                         Case{"0", 0},
                                         Case{"000000ff", 255},
                                         Case{"FFFFFFFF", -1},
                                         Case{"100000000", Fails},
                                         Case{"", Fails},
                                         Case{"$ff", Fails},
                                         Case{"0x80", Fails},
                                         Case{"x80", Fails},
                                         Case{"-1", Fails},
                                         Case{"+ff", Fails},
                                         Case{" ff", Fails},
                                         Case{"ff ", Fails},
                                         Case{"fg", Fails}));

}  // namespace
