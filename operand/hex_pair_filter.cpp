#include "operand/hex_pair_filter.h"

#include <algorithm>
#include <string>

namespace {

// Whether the digit typed now starts a new pair: the text that will stand before it, once
// the selection it replaces is gone, ends in two characters that are not spaces. Typed at
// the end, that is the whole text; typed over everything selected, nothing, so the digit
// begins a new row of pairs. The field's own current text is read, not a copy kept by the
// page: the page does not refresh its copy when it rewrites the field from the text side,
// and a stale copy would space the next digit by the text the field held before.
bool StartsNewPair(HWND field) {
    std::string text(static_cast<std::size_t>(ForwardToEdit(field, WM_GETTEXTLENGTH, 0, 0)) + 1,
                     '\0');
    const auto length =
        static_cast<std::size_t>(ForwardToEdit(field, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                               reinterpret_cast<LPARAM>(text.data())));
    const std::size_t before = std::min<std::size_t>(SelectionOf(field).first(), length);
    return before >= 2 && text[before - 1] != ' ' && text[before - 2] != ' ';
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
    if (StartsNewPair(field)) {
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
