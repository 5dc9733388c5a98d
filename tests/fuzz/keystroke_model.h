#pragma once

// What one keyboard or clipboard message does to an edit field of the main window, as the
// product describes its fields: the beeps it sounds, the field's text afterwards and what a
// copy or cut leaves on the clipboard. Written for the checker from that description, with
// nothing of the filters or the EDIT control reused; the checker hands it each such message
// that reaches a field from outside, with the field's text and selection just before.

#include "main_window_fields.h"

#include "platform/win/windows_api.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace model {

// The fields by what typing and pasting do to them.
enum class FieldKind : std::uint8_t {
    Hexadecimal, // operand fields and 4004: hexadecimal digits, upper-cased, within the limit
    Binary,      // 4006: binary digits
    Octal,       // 4012: read-only, but characters that are no octal digit beep
    BytePairs,   // 4014: hexadecimal digits spaced into pairs by the field; no pasting
    Text,        // 4016: any character, as much as the field shows whole
    ReadOnly,    // results, 4008 and 4010: copying only
};

FieldKind KindOf(const FieldInfo& field);

struct FieldState {
    std::string text;
    std::size_t selection_start = 0; // the first selected character, or the caret
    std::size_t selection_end = 0;   // one past the last selected character, or the caret
};

struct FieldMessage {
    UINT message = 0; // WM_CHAR, WM_KEYDOWN, WM_PASTE, WM_COPY, WM_CUT, WM_CLEAR or WM_UNDO
    WPARAM wparam = 0;
    bool is_shift_held = false;
    bool is_control_held = false;
};

struct MessageOutcome {
    // nullopt where the model cannot say: whether an insertion into the text field measured in
    // a display's own font was cut short.
    std::optional<int> beeps = 0;
    // The field's text afterwards; nullopt where the model does not say: an undo, and the
    // keys that may end the window or clear it (Enter, Escape) or do nothing to the text.
    std::optional<std::string> text;
    // What a copy or cut puts on the clipboard; nullopt when the clipboard stays as it was.
    std::optional<std::string> copied;
};

// The clipboard as a paste reads it: nullopt when it holds a text that code page 1254
// cannot show. Asked for only by a paste.
using ClipboardReader = std::function<std::optional<std::string>()>;

MessageOutcome OutcomeOf(const FieldInfo& field, const FieldState& before,
                         const FieldMessage& message, const ClipboardReader& clipboard);

} // namespace model
