#pragma once

// What every keystroke filter shares: the character sets of the number bases, the refusal
// beep, the room left in a field and forwarding to the edit control's own procedure. The
// filters themselves, and SavedEditProc, are in digit_filters.h and hex_pair_filter.h.

#include "platform/win/windows_api.h"

constexpr unsigned BackspaceCharacter = 0x08;

// The character code of a WM_CHAR: the low 8 bits of its wParam.
constexpr unsigned CharacterCode(WPARAM wparam) {
    return static_cast<unsigned>(wparam & 0xFF);
}

constexpr bool IsDecimalDigit(unsigned code) {
    return code >= '0' && code <= '9';
}
constexpr bool IsUpperHexLetter(unsigned code) {
    return code >= 'A' && code <= 'F';
}
constexpr bool IsLowerHexLetter(unsigned code) {
    return code >= 'a' && code <= 'f';
}
constexpr bool IsBinaryDigit(unsigned code) {
    return code == '0' || code == '1';
}
constexpr bool IsOctalDigit(unsigned code) {
    return code >= '0' && code <= '7';
}

// A lower-case letter's wParam with its code made upper case; the bits above the code stay.
constexpr WPARAM WithUpperCaseLetter(WPARAM wparam) {
    return (wparam & ~static_cast<WPARAM>(0xFF)) | (CharacterCode(wparam) - 0x20);
}

// Whether a WM_KEYDOWN asks the field to paste: Shift+Insert. The EDIT control of Windows
// pastes on that key by itself, without a WM_PASTE that a filter would see, so a filter
// that checks or refuses pastes takes the key first.
bool IsPasteKey(WPARAM virtual_key);

// Hands a message to the EDIT control's own procedure, SavedEditProc, and returns its result.
LRESULT ForwardToEdit(HWND field, UINT message, WPARAM wparam, LPARAM lparam);

// Where the field's selection starts and ends, in either order; equal when nothing is
// selected.
struct SelectedRange {
    DWORD start;
    DWORD end;
    DWORD first() const { return start < end ? start : end; }
    DWORD length() const { return start < end ? end - start : start - end; }
};
SelectedRange SelectionOf(HWND field);

// The characters the field can still take: its limit less the text that stays after the
// selection is replaced.
long long RemainingRoom(HWND field);

// A refused keystroke or paste: one simple beep, and the message goes no further. Returns 0.
LRESULT RefuseKeystroke();
