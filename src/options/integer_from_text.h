#pragma once

#include <cstdint>

// The value of a text in layerbar's number syntax, or the fallback when the
// text breaks it: leading blanks, one optional sign, then decimal digits or
// a hexadecimal prefix ('$', 'x', 'X', '0x', '0X') and hexadecimal digits.
std::int32_t IntegerFromText(const char* text, std::int32_t fallback);

// The value of a text of hexadecimal digits alone, read as IntegerFromText
// reads the text with "$" put in front of it.
std::int32_t IntegerFromHexDigits(const char* digits, std::int32_t fallback);
