#include "platform/controls/edit/edit_model.h"

#include "platform/text/codepage1254.h"

#include <algorithm>
#include <utility>

EditRange EditModel::selection() const {
    return {std::min(m_anchor, m_caret), std::max(m_anchor, m_caret)};
}

void EditModel::clamp(std::size_t text_length) {
    m_anchor = std::min(m_anchor, text_length);
    m_caret = std::min(m_caret, text_length);
    // A step that reaches past the text was made for another text: it cannot be undone.
    if (m_undo && m_undo->position + m_undo->inserted_length > text_length) {
        m_undo.reset();
    }
}

void EditModel::select(std::size_t anchor, std::size_t caret, std::size_t text_length) {
    m_anchor = std::min(anchor, text_length);
    m_caret = std::min(caret, text_length);
}

void EditModel::move_caret(std::size_t position, Extend extend, std::size_t text_length) {
    m_caret = std::min(position, text_length);
    if (extend == Extend::No) {
        m_anchor = m_caret;
    }
}

// The most bytes of insertion, up to count, with which the text still fits. Widths only
// grow as bytes are added, so a binary search finds it.
static std::size_t LongestFittingPrefix(std::string_view text, EditRange range,
                                        std::string_view insertion, std::size_t count,
                                        const std::function<bool(std::string_view)>& fits) {
    auto fits_with = [&](std::size_t length) {
        std::string candidate(text.substr(0, range.start));
        candidate.append(insertion.substr(0, length));
        candidate.append(text.substr(range.end));
        return fits(candidate);
    };
    std::size_t low = 0;
    std::size_t high = count;
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        if (fits_with(middle)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

EditOutcome EditModel::replace(std::string& text, EditRange range, std::string_view insertion,
                               const EditRules& rules) {
    clamp(text.size());
    range.end = std::min(range.end, text.size());
    range.start = std::min(range.start, range.end);

    const std::string inserted =
        rules.case_rule == CaseRule::Upper ? UpperCaseText(insertion) : std::string(insertion);
    const std::size_t kept = text.size() - range.length();
    std::size_t count = rules.limit > kept ? std::min(inserted.size(), rules.limit - kept) : 0;
    if (rules.fits && count > 0) {
        count = LongestFittingPrefix(text, range, inserted, count, rules.fits);
    }

    const EditOutcome outcome{!range.is_empty() || count > 0, count < inserted.size()};
    std::string removed = text.substr(range.start, range.length());
    text.replace(range.start, range.length(), inserted, 0, count);

    if (outcome.is_changed || rules.undo == UndoRule::Forget) {
        record_undo(range.start, std::move(removed), count, rules.undo);
    }
    switch (rules.selection_after) {
    case SelectionAfter::CaretAfterInsertion:
        m_anchor = m_caret = range.start + count;
        break;
    case SelectionAfter::CaretAtStart:
        m_anchor = m_caret = 0;
        break;
    case SelectionAfter::InsertionSelected:
        m_anchor = range.start;
        m_caret = range.start + count;
        break;
    }
    return outcome;
}

std::optional<UndoChange> EditModel::undo_change(std::string_view text) const {
    if (!m_undo || m_undo->position + m_undo->inserted_length > text.size()) {
        return std::nullopt;
    }
    return UndoChange{{m_undo->position, m_undo->position + m_undo->inserted_length},
                      m_undo->removed};
}

void EditModel::record_undo(std::size_t position, std::string removed, std::size_t inserted_length,
                            UndoRule rule) {
    switch (rule) {
    case UndoRule::Forget:
        m_undo.reset();
        return;
    case UndoRule::MergeTyping:
        if (extend_typing(position, removed, inserted_length)) {
            return;
        }
        m_undo = UndoStep{position, inserted_length, std::move(removed), true};
        return;
    case UndoRule::NewStep:
        m_undo = UndoStep{position, inserted_length, std::move(removed), false};
        return;
    }
}

// A keystroke continues the open typing step when it types on at the end of what that step
// inserted, or deletes on next to what it deleted (Delete forwards, Backspace backwards)
// while it has inserted nothing. "ab" typed is one step; so is "xy" deleted with two
// Backspaces and "z" then typed in their place.
bool EditModel::extend_typing(std::size_t position, std::string_view removed,
                              std::size_t inserted_length) {
    if (!m_undo || !m_undo->is_typing) {
        return false;
    }
    UndoStep& step = *m_undo;
    if (removed.empty() && position == step.position + step.inserted_length) {
        step.inserted_length += inserted_length;
        return true;
    }
    if (inserted_length != 0 || step.inserted_length != 0) {
        return false;
    }
    if (position == step.position) {
        step.removed.append(removed);
        return true;
    }
    if (position + removed.size() == step.position) {
        step.removed.insert(0, removed);
        step.position = position;
        return true;
    }
    return false;
}

static bool IsWordByte(char byte) {
    return byte != ' ';
}

std::size_t PreviousWordStart(std::string_view text, std::size_t position) {
    position = std::min(position, text.size());
    while (position > 0 && !IsWordByte(text[position - 1])) {
        --position;
    }
    while (position > 0 && IsWordByte(text[position - 1])) {
        --position;
    }
    return position;
}

std::size_t NextWordStart(std::string_view text, std::size_t position) {
    position = std::min(position, text.size());
    while (position < text.size() && IsWordByte(text[position])) {
        ++position;
    }
    while (position < text.size() && !IsWordByte(text[position])) {
        ++position;
    }
    return position;
}

// The run of word bytes (or of spaces) around position; at the end of the text, the run
// that ends there. In "ab  cd", offset 1 gives "ab", offset 3 the two spaces.
EditRange WordAt(std::string_view text, std::size_t position) {
    if (text.empty()) {
        return {};
    }
    position = std::min(position, text.size() - 1);
    const bool is_word = IsWordByte(text[position]);
    std::size_t start = position;
    std::size_t end = position + 1;
    while (start > 0 && IsWordByte(text[start - 1]) == is_word) {
        --start;
    }
    while (end < text.size() && IsWordByte(text[end]) == is_word) {
        ++end;
    }
    return {start, end};
}
