#pragma once

// Hexadecimal byte pairs and the text they spell, both ways: "41 42" is "AB". Reading the
// fields, the spacing typed pairs get and when to convert are left to the conversion page
// and its keystroke filter.

#include <cstdint>

// Every buffer of the byte-pair group: 191 characters and a terminator.
constexpr int HexPairBufferSize = 192;
// How many characters of text are turned into pairs: 35 pairs and the 34 spaces between
// them fill the 104 characters that the byte-pair field takes.
constexpr int EncodedCharacterLimit = 35;

// Decodes pair_text, whose first count characters were read from the field, into decoded
// and returns the number of characters decoded. Nothing is decoded (decoded is empty) when
// count is below 2 or the text begins with a space. Otherwise the spaces are dropped
// wherever they stand and the remaining digits, up to the terminator, are taken two by two;
// an unpaired last digit is ignored. Digits are '0'-'9' and 'A'-'F' ("4 1" and "41" both
// give "A"); a zero byte becomes '.', so "41 00 42" gives "A.B".
int DecodeHexPairs(const char (&pair_text)[HexPairBufferSize], std::uint32_t count,
                   char (&decoded)[HexPairBufferSize]);

// Writes each of the first EncodedCharacterLimit characters of the terminated text as two
// upper-case digits, pairs separated by one space: "AB" gives "41 42", "\xFE" gives "FE",
// "\t" gives "09", and an empty text an empty one. Returns the length written.
int EncodeHexPairs(const char* text, char (&pair_text)[HexPairBufferSize]);
