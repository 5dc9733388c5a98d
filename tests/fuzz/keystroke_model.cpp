#include "keystroke_model.h"

#include "page_model.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace model {
namespace {

constexpr unsigned SelectAll = 0x01; // Ctrl+A
constexpr unsigned Copy = 0x03;      // Ctrl+C
constexpr unsigned Backspace = 0x08;
constexpr unsigned Paste = 0x16; // Ctrl+V
constexpr unsigned Cut = 0x18;   // Ctrl+X
constexpr unsigned Undo = 0x1A;  // Ctrl+Z
constexpr unsigned Delete = 0x7F;

// The field's text around its selection.
struct Parts {
    std::string before;
    std::string selected;
    std::string after;
};

Parts PartsOf(const FieldState& state) {
    const std::size_t length = state.text.size();
    const std::size_t first = std::min({state.selection_start, state.selection_end, length});
    const std::size_t last = std::min(std::max(state.selection_start, state.selection_end), length);
    return {state.text.substr(0, first), state.text.substr(first, last - first),
            state.text.substr(last)};
}

bool IsReadOnly(FieldKind kind) {
    return kind == FieldKind::ReadOnly || kind == FieldKind::Octal;
}

bool IsDigitOf(FieldKind kind, unsigned code) {
    const bool is_decimal = code >= '0' && code <= '9';
    switch (kind) {
    case FieldKind::Binary:
        return code == '0' || code == '1';
    case FieldKind::Octal:
        return code >= '0' && code <= '7';
    case FieldKind::Hexadecimal:
    case FieldKind::BytePairs:
        return is_decimal || (code >= 'A' && code <= 'F') || (code >= 'a' && code <= 'f');
    default:
        return false;
    }
}

char UpperCase(char character) {
    return character >= 'a' && character <= 'f' ? static_cast<char>(character - 'a' + 'A')
                                                : character;
}

// How many characters the field holds at most after typing or pasting.
std::optional<std::size_t> CapacityOf(const FieldInfo& field, FieldKind kind) {
    return kind == FieldKind::Text ? TextFieldCapacity() : field.limit;
}

MessageOutcome Becomes(std::string text, int beeps = 0) {
    return {beeps, std::move(text), std::nullopt};
}

MessageOutcome Unchanged(const FieldState& state, int beeps = 0) {
    return Becomes(state.text, beeps);
}

MessageOutcome NotForeseen() {
    return {0, std::nullopt, std::nullopt};
}

// The selection replaced by as much of insertion as the field has room for; a beep when some
// of it was cut off.
MessageOutcome Inserted(const Parts& parts, std::string_view insertion, std::size_t capacity) {
    const std::size_t kept = parts.before.size() + parts.after.size();
    const std::size_t room = capacity > kept ? capacity - kept : 0;
    const std::size_t taken = std::min(insertion.size(), room);
    return {taken < insertion.size() ? 1 : 0,
            parts.before + std::string(insertion.substr(0, taken)) + parts.after, std::nullopt};
}

// Inserted, where the field's capacity is known.
MessageOutcome InsertedUpTo(const Parts& parts, std::string_view insertion,
                            std::optional<std::size_t> capacity) {
    if (!capacity)
        return {std::nullopt, std::nullopt, std::nullopt};
    return Inserted(parts, insertion, *capacity);
}

// Backspace and Delete take the selection, or else the character before or after the caret.
enum class Direction : std::uint8_t { Backwards, Forwards };

MessageOutcome Deleted(FieldKind kind, const FieldState& state, Direction direction) {
    const Parts parts = PartsOf(state);
    if (IsReadOnly(kind))
        return Unchanged(state);
    if (!parts.selected.empty())
        return Becomes(parts.before + parts.after);
    if (direction == Direction::Backwards && !parts.before.empty())
        return Becomes(parts.before.substr(0, parts.before.size() - 1) + parts.after);
    if (direction == Direction::Forwards && !parts.after.empty())
        return Becomes(parts.before + parts.after.substr(1));
    return Unchanged(state);
}

MessageOutcome Copied(const FieldState& state) {
    const Parts parts = PartsOf(state);
    MessageOutcome outcome = Unchanged(state);
    if (!parts.selected.empty())
        outcome.copied = parts.selected;
    return outcome;
}

MessageOutcome CutOut(FieldKind kind, const FieldState& state) {
    const Parts parts = PartsOf(state);
    if (IsReadOnly(kind) || parts.selected.empty())
        return Unchanged(state);
    return {0, parts.before + parts.after, parts.selected};
}

MessageOutcome Cleared(FieldKind kind, const FieldState& state) {
    const Parts parts = PartsOf(state);
    if (IsReadOnly(kind) || parts.selected.empty())
        return Unchanged(state);
    return Becomes(parts.before + parts.after);
}

bool IsWhiteSpace(char character) {
    return character == ' ' || (character >= '\t' && character <= '\r');
}

// A digit field takes a paste whole or not at all: without the white space around it (and,
// in a hexadecimal field, one leading 0x), it must be digits of the field's base only, at
// least one, and fit.
MessageOutcome PastedDigits(const FieldInfo& field, FieldKind kind, const FieldState& state,
                            const std::string& clipboard) {
    std::string_view digits = clipboard;
    while (!digits.empty() && IsWhiteSpace(digits.front()))
        digits.remove_prefix(1);
    while (!digits.empty() && IsWhiteSpace(digits.back()))
        digits.remove_suffix(1);
    if (kind == FieldKind::Hexadecimal && (digits.starts_with("0x") || digits.starts_with("0X")))
        digits.remove_prefix(2);
    const Parts parts = PartsOf(state);
    const std::size_t kept = parts.before.size() + parts.after.size();
    const bool is_digits_only = std::all_of(digits.begin(), digits.end(), [kind](char character) {
        return IsDigitOf(kind, static_cast<unsigned char>(character));
    });
    if (digits.empty() || !is_digits_only || kept + digits.size() > field.limit)
        return Unchanged(state, 1);
    std::string upper(digits);
    std::transform(upper.begin(), upper.end(), upper.begin(), UpperCase);
    return Becomes(parts.before + upper + parts.after);
}

MessageOutcome Pasted(const FieldInfo& field, FieldKind kind, const FieldState& state,
                      const ClipboardReader& read_clipboard) {
    if (IsReadOnly(kind))
        return Unchanged(state);
    if (kind == FieldKind::BytePairs)
        return Unchanged(state, 1);
    const std::optional<std::string> clipboard = read_clipboard();
    if (!clipboard)
        return Unchanged(state, 1);
    if (kind != FieldKind::Text)
        return PastedDigits(field, kind, state, *clipboard);
    // A single-line field takes the clipboard's first line.
    const std::string_view first_line =
        std::string_view(*clipboard).substr(0, clipboard->find_first_of(std::string("\r\n\0", 3)));
    if (first_line.empty())
        return Unchanged(state);
    return InsertedUpTo(PartsOf(state), first_line, CapacityOf(field, kind));
}

// The byte-pair field puts a space before a digit where the text that will stand before the
// digit ends in a complete pair, and refuses the digit when the two do not fit.
MessageOutcome TypedPairDigit(const FieldInfo& field, const FieldState& state, char digit) {
    const Parts parts = PartsOf(state);
    const std::string& before = parts.before;
    const bool starts_pair =
        before.size() >= 2 && before[before.size() - 1] != ' ' && before[before.size() - 2] != ' ';
    if (!starts_pair)
        return Inserted(parts, std::string(1, digit), field.limit);
    const std::size_t kept = before.size() + parts.after.size();
    if (kept + 2 > field.limit)
        return Unchanged(state, 1);
    return Becomes(before + ' ' + digit + parts.after);
}

MessageOutcome TypedIntoDigitField(const FieldInfo& field, FieldKind kind, const FieldState& state,
                                   unsigned code) {
    if (code == Backspace)
        return Deleted(kind, state, Direction::Backwards);
    if (!IsDigitOf(kind, code))
        return Unchanged(state, 1);
    if (kind == FieldKind::Octal)
        return Unchanged(state); // read-only: the digit passes and the field does not take it
    const char digit = UpperCase(static_cast<char>(code));
    if (kind == FieldKind::BytePairs)
        return TypedPairDigit(field, state, digit);
    return Inserted(PartsOf(state), std::string(1, digit), field.limit);
}

// The fields without a filter: Ctrl codes edit, select and use the clipboard; a read-only
// field only copies.
MessageOutcome TypedIntoPlainField(const FieldInfo& field, FieldKind kind, const FieldState& state,
                                   unsigned code, const ClipboardReader& clipboard) {
    switch (code) {
    case Backspace:
        return Deleted(kind, state, Direction::Backwards);
    case Copy:
        return Copied(state);
    case SelectAll:
        return Unchanged(state);
    case Paste:
        return Pasted(field, kind, state, clipboard);
    case Cut:
        return CutOut(kind, state);
    case Undo:
        return IsReadOnly(kind) ? Unchanged(state) : NotForeseen();
    default:
        break;
    }
    if (code < 0x20 || code == Delete || IsReadOnly(kind))
        return Unchanged(state);
    return InsertedUpTo(PartsOf(state), std::string(1, static_cast<char>(code)),
                        CapacityOf(field, kind));
}

MessageOutcome KeyPressed(const FieldInfo& field, FieldKind kind, const FieldState& state,
                          const FieldMessage& message, const ClipboardReader& clipboard) {
    switch (message.wparam) {
    case VK_INSERT:
        if (message.is_control_held)
            return Copied(state);
        if (message.is_shift_held)
            return Pasted(field, kind, state, clipboard);
        return Unchanged(state);
    case VK_DELETE:
        return message.is_shift_held ? CutOut(kind, state)
                                     : Deleted(kind, state, Direction::Forwards);
    case VK_RETURN: // "Temizle"
    case VK_ESCAPE: // "Kapat"
        return NotForeseen();
    default:
        return Unchanged(state);
    }
}

} // namespace

FieldKind KindOf(const FieldInfo& field) {
    switch (field.bound) {
    case FieldBound::Limit:
        return field.id == BinaryField ? FieldKind::Binary : FieldKind::Hexadecimal;
    case FieldBound::LimitAndPairs:
        return FieldKind::BytePairs;
    case FieldBound::VisibleWidth:
        return FieldKind::Text;
    case FieldBound::ReadOnly:
        break;
    }
    return field.id == OctalField ? FieldKind::Octal : FieldKind::ReadOnly;
}

MessageOutcome OutcomeOf(const FieldInfo& field, const FieldState& before,
                         const FieldMessage& message, const ClipboardReader& clipboard) {
    const FieldKind kind = KindOf(field);
    switch (message.message) {
    case WM_CHAR: {
        const unsigned code = static_cast<unsigned>(message.wparam & 0xFF);
        if (kind == FieldKind::Text || kind == FieldKind::ReadOnly)
            return TypedIntoPlainField(field, kind, before, code, clipboard);
        return TypedIntoDigitField(field, kind, before, code);
    }
    case WM_KEYDOWN:
        return KeyPressed(field, kind, before, message, clipboard);
    case WM_PASTE:
        return Pasted(field, kind, before, clipboard);
    case WM_COPY:
        return Copied(before);
    case WM_CUT:
        return CutOut(kind, before);
    case WM_CLEAR:
        return Cleared(kind, before);
    default: // WM_UNDO
        return IsReadOnly(kind) ? Unchanged(before) : NotForeseen();
    }
}

} // namespace model
