#pragma once

// The keystroke filters of the hexadecimal, binary and octal fields, and their
// installation. A filter replaces a field's window procedure: it lets through the typed
// characters of its base (upper-casing hexadecimal letters), refuses the rest with a beep,
// and forwards every other message to the EDIT control's own procedure. Which page filters
// which field is the pages' business.

#include "operand/keystroke_rules.h"

// The EDIT class's own window procedure, saved when the first filter is installed. Every
// filtered field is a plain EDIT control, so one value serves every field and filter.
extern WNDPROC SavedEditProc;

// Puts filter in front of field id of page and keeps the field's previous procedure, the
// EDIT class's own, in SavedEditProc. A filter stays for the life of its field.
void InstallFilter(HWND page, int id, WNDPROC filter);

// '0'-'9', 'A'-'F', 'a'-'f' (passed on as 'A'-'F') and backspace. A paste (WM_PASTE or
// Shift+Insert) is checked as a whole: the clipboard text, without surrounding white space and one
// leading "0x", must be hexadecimal digits that fit in the field's remaining room; it is then
// inserted upper-cased at the caret, otherwise refused with one beep.
LRESULT CALLBACK HexDigitFilter(HWND field, UINT message, WPARAM wparam, LPARAM lparam);

// '0', '1' and backspace. A paste is checked as for HexDigitFilter, with binary digits and
// no prefix.
LRESULT CALLBACK BinaryDigitFilter(HWND field, UINT message, WPARAM wparam, LPARAM lparam);

// '0'-'7' and backspace. Its field is read-only, so the filter shows only as the beep of a
// refused character; pastes go to the field unchanged, which does not take them.
LRESULT CALLBACK OctalDigitFilter(HWND field, UINT message, WPARAM wparam, LPARAM lparam);
