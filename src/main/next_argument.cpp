#include "main/next_argument.h"

#include "platform/platform.h"

namespace {

// Whether a byte separates arguments: 0x01 to 0x20 (the null ends the line).
bool IsBlank(char c) {
    return c != '\0' && static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

const char* NextArgument(const char* cursor, char* argument, std::size_t capacity) {
    for (;;) {
        if (IsBlank(*cursor)) {
            cursor = platform::CharNextA(cursor);
        } else if (cursor[0] == '"' && cursor[1] == '"') {
            cursor = platform::CharNextA(platform::CharNextA(cursor));
        } else {
            break;
        }
    }
    std::size_t length = 0;
    bool quoted = false;
    while (*cursor != '\0' && (quoted || !IsBlank(*cursor))) {
        const char* next = platform::CharNextA(cursor);
        if (*cursor == '"') {
            quoted = !quoted;
        } else {
            for (; cursor != next; ++cursor) {
                if (length + 1 < capacity) {
                    argument[length++] = *cursor;
                }
            }
        }
        cursor = next;
    }
    argument[length] = '\0';
    return cursor;
}
