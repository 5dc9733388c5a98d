#include "convert/hex_pairs.h"

namespace {

// '0'-'9' give 0-9 and 'A'-'F' give 10-15, by the character code alone.
std::uint8_t DigitValue(char digit) {
    auto value = static_cast<std::uint8_t>(static_cast<unsigned char>(digit) - '0');
    if (value > 9)
        value = static_cast<std::uint8_t>(value - 7);
    return value;
}

char UpperHexDigit(unsigned value) {
    return "0123456789ABCDEF"[value & 0xF];
}

} // namespace

int DecodeHexPairs(const char (&pair_text)[HexPairBufferSize], std::uint32_t count,
                   char (&decoded)[HexPairBufferSize]) {
    decoded[0] = '\0';
    if (count < 2 || pair_text[0] == ' ')
        return 0;

    char digits[HexPairBufferSize];
    int digit_count = 0;
    for (int index = 0; index < HexPairBufferSize && pair_text[index] != '\0'; ++index) {
        if (pair_text[index] != ' ')
            digits[digit_count++] = pair_text[index];
    }

    const int pair_count = digit_count / 2;
    for (int pair = 0; pair < pair_count; ++pair) {
        const auto byte = static_cast<std::uint8_t>(DigitValue(digits[2 * pair]) * 16 +
                                                    DigitValue(digits[2 * pair + 1]));
        decoded[pair] = byte == 0 ? '.' : static_cast<char>(byte);
    }
    decoded[pair_count] = '\0';
    return pair_count;
}

int EncodeHexPairs(const char* text, char (&pair_text)[HexPairBufferSize]) {
    int length = 0;
    for (int index = 0; index < EncodedCharacterLimit && text[index] != '\0'; ++index) {
        const auto code = static_cast<unsigned char>(text[index]);
        if (index > 0)
            pair_text[length++] = ' ';
        pair_text[length++] = UpperHexDigit(code >> 4);
        pair_text[length++] = UpperHexDigit(code);
    }
    pair_text[length] = '\0';
    return length;
}
