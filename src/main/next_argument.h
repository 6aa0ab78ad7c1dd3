#pragma once

#include <cstddef>

// Reads the argument that starts at or after cursor into argument, as a
// null-terminated copy, and returns where the reading stopped. Blanks (bytes
// 0x01 to 0x20) and pairs of double quotes before the argument are skipped;
// the argument runs to the next blank outside double quotes, the quotes
// dropped; there is no escape character. The reader steps by whole characters
// of the ANSI code page. An empty argument means the end of the line. At most
// capacity - 1 bytes are stored; the reading goes on to the argument's end.
const char* NextArgument(const char* cursor, char* argument, std::size_t capacity);
