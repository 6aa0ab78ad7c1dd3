#include "options/integer_from_text.h"

namespace {

// Largest value a hexadecimal number may have before one more digit.
constexpr std::uint32_t HexLimitBeforeDigit = 0x0FFFFFFF;
// Largest value a decimal number may have before one more digit.
constexpr std::uint32_t DecimalLimitBeforeDigit = 214748364;
// Largest decimal value without a '-' sign.
constexpr std::uint32_t LargestPositive = 2147483647;
// Largest decimal magnitude with a '-' sign.
constexpr std::uint32_t LargestNegative = 2147483648;

// The value of one hexadecimal digit, or -1 for any other character.
int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Reads one or more hexadecimal digits up to the end of the text into value.
bool ReadHexDigits(const char* text, std::uint32_t& value) {
    value = 0;
    if (*text == '\0') {
        return false;
    }
    for (; *text != '\0'; ++text) {
        const int digit = HexDigitValue(*text);
        if (digit < 0 || value > HexLimitBeforeDigit) {
            return false;
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

// Reads one or more decimal digits up to the end of the text into value.
bool ReadDecimalDigits(const char* text, std::uint32_t& value) {
    value = 0;
    if (*text == '\0') {
        return false;
    }
    for (; *text != '\0'; ++text) {
        if (*text < '0' || *text > '9' || value > DecimalLimitBeforeDigit) {
            return false;
        }
        value = value * 10 + static_cast<std::uint32_t>(*text - '0');
    }
    return true;
}

// Skips the hexadecimal prefix at text, if there is one.
bool SkipHexPrefix(const char*& text) {
    if (*text == '$' || *text == 'x' || *text == 'X') {
        text += 1;
        return true;
    }
    if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text += 2;
        return true;
    }
    return false;
}

}  // namespace

std::int32_t IntegerFromText(const char* text, std::int32_t fallback) {
    if (*text == '\0') {
        return fallback;
    }
    while (*text == ' ') {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    std::uint32_t value = 0;
    if (SkipHexPrefix(text)) {
        if (!ReadHexDigits(text, value)) {
            return fallback;
        }
    } else if (!ReadDecimalDigits(text, value) ||
               value > (negative ? LargestNegative : LargestPositive)) {
        return fallback;
    }
    // All 32 bits are read as signed; a '-' negates in two's complement.
    return static_cast<std::int32_t>(negative ? 0U - value : value);
}

std::int32_t IntegerFromHexDigits(const char* digits, std::int32_t fallback) {
    std::uint32_t value = 0;
    return ReadHexDigits(digits, value) ? static_cast<std::int32_t>(value) : fallback;
}
