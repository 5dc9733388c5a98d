#include "operand/hex_codec.h"

std::uint32_t ParseHex32(const char* text, std::uint32_t count) {
    std::uint32_t value = 0;
    for (std::uint32_t index = 0; index < count; ++index) {
        value <<= 4;
        const char character = text[index];
        std::uint32_t digit;
        if (character >= '0' && character <= '9')
            digit = static_cast<std::uint32_t>(character - '0');
        else if (character >= 'A' && character <= 'F')
            digit = static_cast<std::uint32_t>(character - 'A' + 10);
        else
            return value;
        value |= digit;
    }
    return value;
}

void FormatHex32(std::uint32_t value, char (&text)[9]) {
    for (int position = 0; position < 8; ++position)
        text[position] = "0123456789ABCDEF"[(value >> (28 - 4 * position)) & 0xF];
    text[8] = '\0';
}
