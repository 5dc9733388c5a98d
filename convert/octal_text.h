#pragma once

// A 32-bit value's octal digits, least significant first, as the conversion page reverses
// them for display. Reversing (reverse_string.h) and writing the field are left to others.

#include <cstdint>

constexpr int OctalScratchSize = 32;

// Clears scratch and writes the octal digits of value into it, least significant first,
// followed by a terminator. The last digit written is the quotient left once the value is
// below 8, so 0 to 7 give two digits ("50" for 5, shown reversed as "05"), while from 8 on
// the digits have no leading zero: 8 gives "01", 0xFFFFFFFF gives "77777777773".
// Kept on purpose: the two-digit form of 0 to 7 is what the conversion page has always shown.
void FormatOctal(std::uint32_t value, char (&scratch)[OctalScratchSize]);
