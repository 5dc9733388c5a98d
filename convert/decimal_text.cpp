#include "convert/decimal_text.h"

namespace {

// Writes the digits of magnitude after the first `start` characters, most significant first.
void WriteDigits(std::uint32_t magnitude, char (&text)[DecimalTextSize], int start) {
    char reversed[10];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int position = start;
    while (count > 0)
        text[position++] = reversed[--count];
    text[position] = '\0';
}

} // namespace

void FormatSignedDecimal(std::uint32_t value, char (&text)[DecimalTextSize]) {
    const bool is_negative = (value & 0x80000000u) != 0;
    if (!is_negative) {
        WriteDigits(value, text, 0);
        return;
    }
    // The magnitude of a negative two's-complement value is its negation modulo 2^32,
    // which for 0x80000000 is 0x80000000 itself: still right as an unsigned magnitude.
    text[0] = '-';
    WriteDigits(0u - value, text, 1);
}

void FormatUnsignedDecimal(std::uint32_t value, char (&text)[DecimalTextSize]) {
    WriteDigits(value, text, 0);
}
