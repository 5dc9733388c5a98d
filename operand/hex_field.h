#pragma once

// The hexadecimal codec applied to a page's fields: an operand field's whole text read as
// a value, and a value written as a result field's text. What the value means and when to
// read or write is the page's business.

#include "operand/hex_codec.h"
#include "platform/win/windows_api.h"

#include <cstdint>

// The value of field id on page: its text, at most max_count - 1 characters of it (so
// max_count must exceed the field's limit to read the whole text), through ParseHex32.
// An empty field gives 0. Pages ask for 9 or 50 on an 8-digit operand field, 36 or 16 on
// the conversion page's hexadecimal field; counts above 256 are read as 256.
std::uint32_t ReadHexOperand(HWND page, int id, int max_count);

// Replaces the text of field id on page with FormatHex32 of value.
void WriteHexResult(HWND page, int id, std::uint32_t value);
