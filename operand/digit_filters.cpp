#include "operand/digit_filters.h"

#include "operand/checked_paste.h"

WNDPROC SavedEditProc = nullptr;

void InstallFilter(HWND page, int id, WNDPROC filter) {
    HWND field = GetDlgItem(page, id);
    const LONG_PTR previous =
        SetWindowLongPtr(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(filter));
    // A missing field has no procedure to give; keep the one saved from the others.
    if (previous != 0)
        SavedEditProc = reinterpret_cast<WNDPROC>(previous);
}

namespace {

LRESULT HandleHexCharacter(HWND field, WPARAM wparam, LPARAM lparam) {
    const unsigned code = CharacterCode(wparam);
    if (IsLowerHexLetter(code))
        return ForwardToEdit(field, WM_CHAR, WithUpperCaseLetter(wparam), lparam);
    if (IsDecimalDigit(code) || IsUpperHexLetter(code) || code == BackspaceCharacter)
        return ForwardToEdit(field, WM_CHAR, wparam, lparam);
    return RefuseKeystroke();
}

LRESULT HandleBinaryCharacter(HWND field, WPARAM wparam, LPARAM lparam) {
    const unsigned code = CharacterCode(wparam);
    if (IsBinaryDigit(code) || code == BackspaceCharacter)
        return ForwardToEdit(field, WM_CHAR, wparam, lparam);
    return RefuseKeystroke();
}

LRESULT HandleOctalCharacter(HWND field, WPARAM wparam, LPARAM lparam) {
    const unsigned code = CharacterCode(wparam);
    if (IsOctalDigit(code) || code == BackspaceCharacter)
        return ForwardToEdit(field, WM_CHAR, wparam, lparam);
    return RefuseKeystroke();
}

} // namespace

LRESULT CALLBACK HexDigitFilter(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CHAR:
        return HandleHexCharacter(field, wparam, lparam);
    case WM_PASTE:
        return PasteCheckedDigits(field, DigitBase::Hexadecimal);
    case WM_KEYDOWN:
        if (IsPasteKey(wparam))
            return PasteCheckedDigits(field, DigitBase::Hexadecimal);
        [[fallthrough]];
    default:
        return ForwardToEdit(field, message, wparam, lparam);
    }
}

LRESULT CALLBACK BinaryDigitFilter(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CHAR:
        return HandleBinaryCharacter(field, wparam, lparam);
    case WM_PASTE:
        return PasteCheckedDigits(field, DigitBase::Binary);
    case WM_KEYDOWN:
        if (IsPasteKey(wparam))
            return PasteCheckedDigits(field, DigitBase::Binary);
        [[fallthrough]];
    default:
        return ForwardToEdit(field, message, wparam, lparam);
    }
}

LRESULT CALLBACK OctalDigitFilter(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CHAR:
        return HandleOctalCharacter(field, wparam, lparam);
    default:
        return ForwardToEdit(field, message, wparam, lparam);
    }
}
