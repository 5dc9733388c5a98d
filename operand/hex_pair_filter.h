#pragma once

// The keystroke filter of the byte-pair field: hexadecimal digits only, upper-cased, with a
// space put in by itself before a digit that starts a new pair; pasting is refused. The
// conversion of the pairs is the conversion page's.

#include "operand/digit_filters.h"

// Typing 4142 into the empty field gives "4", "41", "41 4", "41 42": when the text that will
// stand before the digit (the field's text up to the insertion point, once the selection is
// replaced) ends in two characters that are not spaces, a space is passed on just before the
// digit; when the field has no room for both, the digit is refused with one beep. A digit
// typed over the whole text selected so starts a new row of pairs. Backspace
// passes; any other character, and every paste, beeps. Other messages are forwarded to the
// EDIT control's own procedure. Installed with InstallFilter.
LRESULT CALLBACK HexPairFilter(HWND field, UINT message, WPARAM wparam, LPARAM lparam);
