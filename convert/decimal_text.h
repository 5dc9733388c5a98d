#pragma once

// A 32-bit value as signed and as unsigned decimal text, the two decimal readings of the
// conversion page. Writing the fields is left to the page.

#include <cstdint>

// Room for the longest text, "-2147483648", and its terminator.
constexpr int DecimalTextSize = 12;

// The bits read as a two's-complement number: 0xFFFFFFFF gives "-1", 0x80000000 gives
// "-2147483648".
void FormatSignedDecimal(std::uint32_t value, char (&text)[DecimalTextSize]);

// The bits read as an unsigned number: 0xFFFFFFFF gives "4294967295".
void FormatUnsignedDecimal(std::uint32_t value, char (&text)[DecimalTextSize]);
