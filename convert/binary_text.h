#pragma once

// A 32-bit value as 32 binary digits and back. Reading and writing the binary field is the
// conversion page's job; this file only turns digits into values and values into digits.

#include <cstdint>

// Writes the 32 digits of value, most significant bit first, and a terminator:
// 5 gives "00000000000000000000000000000101".
void FormatBinary32(std::uint32_t value, char (&text)[33]);

// Reads the first count characters of text as binary digits. Each character adds its code
// minus '0', taken as a byte, into the doubled value (so "101" gives 5, and "12" gives 2
// because the doubled 1 is OR-ed with the 2, and " " ORs in the byte 0xF0); a zero byte,
// though, counts as digit 0. The value wraps at 32 bits, so only the last 32 digits count.
// Reads exactly count characters.
// Kept on purpose: text that reaches the binary field without its keystroke filter converts
// by this character-code rule, as it always has, rather than being checked digit by digit.
std::uint32_t ParseBinary32(const char* text, std::uint32_t count);
