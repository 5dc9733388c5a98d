#pragma once

// Operand text to a 32-bit value and a value to its eight-digit result text. Pure text
// work: fetching a field's text and writing a result field are in hex_field.h.

#include <cstdint>

// Reads count characters of text as hexadecimal digits, most significant first; only the
// last eight digits count. Digits are '0'-'9' and upper-case 'A'-'F'. Any other character,
// the lower-case letters and a zero byte included, ends the parse, and the result is the
// digits read so far followed by one zero digit: "12G4" gives 0x120, "1a" gives 0x10, "G"
// gives 0. No character past count, nor past the stopping character, is read. An empty
// text (count 0) gives 0.
std::uint32_t ParseHex32(const char* text, std::uint32_t count);

// Eight upper-case hexadecimal digits with leading zeros and a terminator: 26 gives
// "0000001A".
void FormatHex32(std::uint32_t value, char (&text)[9]);
