#include "operand/hex_pair_filter.h"

namespace {

// Room for the longest text the field holds (104 characters) with space to spare.
constexpr int PairTextSize = 192;

// Whether the field's text ends in a complete pair, so that the next digit starts a new
// one. The field's own current text is read, not a copy kept by the page: the page does
// not refresh its copy when it rewrites the field from the text side, and a stale copy
// would space the next digit by the text the field held before.
bool EndsInCompletePair(HWND field) {
    char text[PairTextSize];
    const LRESULT length =
        ForwardToEdit(field, WM_GETTEXT, PairTextSize, reinterpret_cast<LPARAM>(text));
    return length >= 2 && text[length - 1] != ' ' && text[length - 2] != ' ';
}

// Whether the space and the digit after it both fit. Without this a full field would beep
// twice for one key, and a field with room for one more character would keep a space nobody
// typed.
bool HasRoomForSpaceAndDigit(HWND field) {
    return RemainingRoom(field) >= 2;
}

LRESULT HandlePairCharacter(HWND field, WPARAM wparam, LPARAM lparam) {
    const unsigned code = CharacterCode(wparam);
    if (code == BackspaceCharacter)
        return ForwardToEdit(field, WM_CHAR, wparam, lparam);
    if (IsLowerHexLetter(code))
        wparam = WithUpperCaseLetter(wparam);
    else if (!IsDecimalDigit(code) && !IsUpperHexLetter(code))
        return RefuseKeystroke();

    // The space enters like a typed one, so the page converts the field before the digit.
    // A digit whose space does not fit is refused whole, so no lone space is left behind.
    if (EndsInCompletePair(field)) {
        if (!HasRoomForSpaceAndDigit(field))
            return RefuseKeystroke();
        ForwardToEdit(field, WM_CHAR, ' ', lparam);
    }
    return ForwardToEdit(field, WM_CHAR, wparam, lparam);
}

} // namespace

LRESULT CALLBACK HexPairFilter(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CHAR:
        return HandlePairCharacter(field, wparam, lparam);
    case WM_PASTE:
        return RefuseKeystroke();
    case WM_KEYDOWN:
        if (IsPasteKey(wparam))
            return RefuseKeystroke();
        [[fallthrough]];
    default:
        return ForwardToEdit(field, message, wparam, lparam);
    }
}
