#pragma once

// Pasting into a digit field: the clipboard text goes in whole when it is nothing but the
// field's digits and fits, and is refused with one beep otherwise. The typed-character
// rules are in digit_filters.h.

#include "platform/win/windows_api.h"

#include <cstdint>

enum class DigitBase : std::uint8_t { Hexadecimal, Binary };

// Handles a WM_PASTE reaching a filtered field. Surrounding white space is dropped, and in
// a hexadecimal field one leading "0x" or "0X": " 0x1f\n" pastes "1F". The rest must be
// non-empty, hold only the base's digits (hexadecimal letters of either case) and fit in
// the field's limit once the selection it replaces is taken out. Always returns 0.
LRESULT PasteCheckedDigits(HWND field, DigitBase base);
