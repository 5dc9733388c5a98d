#pragma once

// The editing model of the single-line EDIT control, without windows: the selection as an
// anchor and a caret, the one replace operation that every change of the text goes through
// (with the limit, the width rule, upper-casing and undo applied), and word boundaries.
// The text itself is not kept here; it is the caller's string (the window's text), passed
// to each call, so that a change made behind the model's back is repaired with clamp().
// Nothing here measures, paints, beeps or notifies: the control does that with the outcome.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The largest text limit a field can have (EM_LIMITTEXT with 0).
constexpr std::size_t MaximumEditLimit = 0x7FFFFFFE;

// A range of byte offsets, start <= end.
struct EditRange {
    std::size_t start = 0;
    std::size_t end = 0;

    std::size_t length() const { return end - start; }
    bool is_empty() const { return start == end; }
    bool operator==(const EditRange&) const = default;
};

enum class Extend : std::uint8_t { No, Yes }; // whether a caret move keeps the anchor

// How a change is recorded for undo.
enum class UndoRule : std::uint8_t {
    MergeTyping, // a keystroke: joins the previous keystroke's step when it continues it
    NewStep,     // a step of its own, which no keystroke joins
    Forget,      // nothing can be undone afterwards
};

// Where the selection is once the change is made.
enum class SelectionAfter : std::uint8_t {
    CaretAfterInsertion, // collapsed behind the inserted text (typing, pasting)
    CaretAtStart,        // collapsed at offset 0 (a whole new text)
    InsertionSelected,   // the inserted text selected (undo shows what came back)
};

enum class CaseRule : std::uint8_t { Keep, Upper };

// The rules of one source of change (typing, pasting, setting the text, undoing...).
struct EditRules {
    std::size_t limit = SIZE_MAX; // the most bytes the text may hold after the change
    // Whether a whole text would show in the field; empty for a field without that bound.
    std::function<bool(std::string_view)> fits;
    CaseRule case_rule = CaseRule::Keep;
    UndoRule undo = UndoRule::NewStep;
    SelectionAfter selection_after = SelectionAfter::CaretAfterInsertion;
};

struct EditOutcome {
    bool is_changed = false;    // something was removed or inserted
    bool was_truncated = false; // part of the insertion did not fit the limit or the width
};

// A change that undo would make: put `text` in place of `range`.
struct UndoChange {
    EditRange range;
    std::string text;
};

class EditModel {
  public:
    std::size_t anchor() const { return m_anchor; }
    std::size_t caret() const { return m_caret; }
    // The selection in order, whichever way it was made.
    EditRange selection() const;

    // Brings the selection and the undo step back inside a text of this length.
    void clamp(std::size_t text_length);
    void select(std::size_t anchor, std::size_t caret, std::size_t text_length);
    void move_caret(std::size_t position, Extend extend, std::size_t text_length);

    // The one way the text changes: replaces range (clamped to the text) with as much of
    // insertion as the rules let in, records undo and places the selection.
    EditOutcome replace(std::string& text, EditRange range, std::string_view insertion,
                        const EditRules& rules);

    bool can_undo() const { return m_undo.has_value(); }
    // What undo would do now; applying it with UndoRule::NewStep makes the next undo redo.
    std::optional<UndoChange> undo_change(std::string_view text) const;

  private:
    // Undo puts `removed` back in place of the `inserted_length` bytes at `position`.
    struct UndoStep {
        std::size_t position = 0;
        std::size_t inserted_length = 0;
        std::string removed;
        bool is_typing = false; // open for the next keystroke to join
    };

    void record_undo(std::size_t position, std::string removed, std::size_t inserted_length,
                     UndoRule rule);
    bool extend_typing(std::size_t position, std::string_view removed, std::size_t inserted_length);

    std::size_t m_anchor = 0;
    std::size_t m_caret = 0;
    std::optional<UndoStep> m_undo;
};

// Word boundaries for Ctrl+Left, Ctrl+Right and double clicks: a word is a run of bytes
// other than spaces.
std::size_t PreviousWordStart(std::string_view text, std::size_t position);
std::size_t NextWordStart(std::string_view text, std::size_t position);
EditRange WordAt(std::string_view text, std::size_t position);
