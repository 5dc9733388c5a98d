#include "convert/binary_text.h"

void FormatBinary32(std::uint32_t value, char (&text)[33]) {
    for (int position = 0; position < 32; ++position) {
        const std::uint32_t bit = (value >> (31 - position)) & 1u;
        text[position] = bit != 0 ? '1' : '0';
    }
    text[32] = '\0';
}

std::uint32_t ParseBinary32(const char* text, std::uint32_t count) {
    std::uint32_t value = 0;
    for (std::uint32_t index = 0; index < count; ++index) {
        const auto code = static_cast<unsigned char>(text[index]);
        const auto digit = code == 0 ? std::uint8_t{0} : static_cast<std::uint8_t>(code - '0');
        value = (value << 1) | digit;
    }
    return value;
}
