#include "platform/controls/edit/edit_model.h"
#include "platform/text/codepage1254.h"

#include <gtest/gtest.h>

#include <string>

namespace {

EditRules RulesWith(UndoRule undo, SelectionAfter after = SelectionAfter::CaretAfterInsertion) {
    EditRules rules;
    rules.undo = undo;
    rules.selection_after = after;
    return rules;
}

EditRules Typing() {
    return RulesWith(UndoRule::MergeTyping);
}

// Types each byte at the caret, replacing the selection, as the field does for a keystroke.
void TypeInto(EditModel& model, std::string& text, std::string_view bytes,
              const EditRules& rules = Typing()) {
    for (char byte : bytes) {
        model.replace(text, model.selection(), std::string_view(&byte, 1), rules);
    }
}

void Backspace(EditModel& model, std::string& text) {
    const std::size_t caret = model.caret();
    model.replace(text, {caret - 1, caret}, {}, Typing());
}

void Undo(EditModel& model, std::string& text) {
    const std::optional<UndoChange> change = model.undo_change(text);
    ASSERT_TRUE(change.has_value());
    model.replace(text, change->range, change->text,
                  RulesWith(UndoRule::NewStep, SelectionAfter::InsertionSelected));
}

TEST(EditModel, SelectionIsNormalisedAndClampedToTheText) {
    EditModel model;
    model.select(5, 2, 10);
    EXPECT_EQ(model.anchor(), 5u);
    EXPECT_EQ(model.caret(), 2u);
    EXPECT_EQ(model.selection(), (EditRange{2, 5}));
    // The text was cut to 3 bytes behind the model's back.
    model.clamp(3);
    EXPECT_EQ(model.selection(), (EditRange{2, 3}));
    model.move_caret(99, Extend::Yes, 3);
    EXPECT_EQ(model.anchor(), 3u);
    EXPECT_EQ(model.caret(), 3u);
}

TEST(EditModel, InsertsWhatTheLimitAndTheWidthLeaveRoomFor) {
    struct Row {
        const char* why;
        std::string text;
        EditRange range;
        std::string insertion;
        std::size_t limit;
        std::size_t fits_up_to; // stands in for the visible width, in bytes
        std::string expected;
        bool is_changed;
        bool was_truncated;
    };
    const Row rows[] = {
        {"fits whole", "ab", {2, 2}, "cd", 4, 99, "abcd", true, false},
        {"limit cuts the tail", "abc", {3, 3}, "de", 4, 99, "abcd", true, true},
        {"full field refuses", "abcd", {4, 4}, "x", 4, 99, "abcd", false, true},
        {"selection makes room", "abcd", {1, 3}, "xyz", 4, 99, "axyd", true, true},
        {"overlong set text takes nothing", "abcdef", {6, 6}, "x", 4, 99, "abcdef", false, true},
        {"a replaced selection goes even when nothing fits",
         "abcdef",
         {0, 1},
         "x",
         4,
         99,
         "bcdef",
         true,
         true},
        {"width cuts before the limit", "abc", {3, 3}, "defg", 10, 5, "abcde", true, true},
        {"width counts the text after the caret",
         "abcd",
         {0, 0},
         "xyz",
         10,
         5,
         "xabcd",
         true,
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EditModel model;
        std::string text = row.text;
        EditRules rules;
        rules.limit = row.limit;
        rules.fits = [&](std::string_view candidate) { return candidate.size() <= row.fits_up_to; };
        const EditOutcome outcome = model.replace(text, row.range, row.insertion, rules);
        EXPECT_EQ(text, row.expected);
        EXPECT_EQ(outcome.is_changed, row.is_changed);
        EXPECT_EQ(outcome.was_truncated, row.was_truncated);
    }
}

TEST(EditModel, PlacesTheSelectionAsTheRulesSay) {
    struct Row {
        SelectionAfter after;
        EditRange expected;
    };
    const Row rows[] = {
        {SelectionAfter::CaretAfterInsertion, {4, 4}},
        {SelectionAfter::CaretAtStart, {0, 0}},
        {SelectionAfter::InsertionSelected, {1, 4}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.after));
        EditModel model;
        std::string text = "abcd";
        model.replace(text, {1, 2}, "xyz", RulesWith(UndoRule::NewStep, row.after));
        EXPECT_EQ(text, "axyzcd");
        EXPECT_EQ(model.selection(), row.expected);
    }
}

TEST(EditModel, ARunOfTypingIsOneUndoStepAndUndoOfUndoRedoes) {
    EditModel model;
    std::string text = "hello";
    model.select(0, 5, text.size());
    TypeInto(model, text, "xyz");
    EXPECT_EQ(text, "xyz");
    Undo(model, text);
    EXPECT_EQ(text, "hello");
    EXPECT_EQ(model.selection(), (EditRange{0, 5}));
    Undo(model, text);
    EXPECT_EQ(text, "xyz");
}

TEST(EditModel, BackspacesMergeAndTypingInTheirPlaceJoinsThem) {
    EditModel model;
    std::string text = "abcd";
    model.move_caret(4, Extend::No, text.size());
    Backspace(model, text);
    Backspace(model, text);
    TypeInto(model, text, "z");
    EXPECT_EQ(text, "abz");
    Undo(model, text);
    EXPECT_EQ(text, "abcd");
}

TEST(EditModel, StepsThatDoNotContinueTypingStandAlone) {
    struct Row {
        const char* why;
        std::function<void(EditModel&, std::string&)> second_change;
        std::string after_undo;
    };
    const Row rows[] = {
        {"a paste after typing",
         [](EditModel& model, std::string& text) {
             model.replace(text, model.selection(), "P", {});
         },
         "ab"},
        {"typing elsewhere",
         [](EditModel& model, std::string& text) {
             model.move_caret(0, Extend::No, text.size());
             TypeInto(model, text, "q");
         },
         "ab"},
        {"a backspace after typing",
         [](EditModel& model, std::string& text) { Backspace(model, text); }, "ab"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EditModel model;
        std::string text;
        TypeInto(model, text, "ab");
        row.second_change(model, text);
        Undo(model, text);
        EXPECT_EQ(text, row.after_undo);
    }
}

TEST(EditModel, ForgetRuleLeavesNothingToUndo) {
    EditModel model;
    std::string text;
    TypeInto(model, text, "ab");
    EXPECT_TRUE(model.can_undo());
    model.replace(text, {0, 2}, "ab", RulesWith(UndoRule::Forget));
    EXPECT_FALSE(model.can_undo());
    EXPECT_FALSE(model.undo_change(text).has_value());
}

TEST(EditModel, UndoStepPastAnOutsideShortenedTextIsDropped) {
    EditModel model;
    std::string text;
    TypeInto(model, text, "abc");
    text.assign(1, 'a'); // the owner shortens the text behind the model's back
    model.clamp(text.size());
    EXPECT_FALSE(model.can_undo());
}

TEST(EditModel, UpperCasesCodePage1254Letters) {
    struct Row {
        char byte;
        char expected;
        const char* why;
    };
    const Row rows[] = {
        {'a', 'A', "ASCII"},
        {'z', 'Z', "ASCII"},
        {'i', 'I', "language-neutral: dotted i to plain I"},
        {'\xFD', 'I', "dotless \xC4\xB1"},
        {'\xF0', '\xD0', "\xC4\x9F"},
        {'\xFE', '\xDE', "\xC5\x9F"},
        {'\xE7', '\xC7', "\xC3\xA7"},
        {'\xF6', '\xD6', "\xC3\xB6"},
        {'\xFC', '\xDC', "\xC3\xBC"},
        {'\x9A', '\x8A', "\xC5\xA1"},
        {'\x9C', '\x8C', "\xC5\x93"},
        {'\xFF', '\x9F', "\xC3\xBF"},
        {'\xF7', '\xF7', "division sign has no capital"},
        {'\xDF', '\xDF', "sharp s has no capital"},
        {'7', '7', "digits stay"},
        {'A', 'A', "capitals stay"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(UpperCaseByte(row.byte), row.expected);
    }
}

TEST(EditModel, WordBoundaries) {
    const std::string_view text = "ab  cd ef";
    struct Row {
        std::size_t position;
        std::size_t previous_start;
        std::size_t next_start;
        EditRange word;
    };
    const Row rows[] = {
        {0, 0, 4, {0, 2}}, {1, 0, 4, {0, 2}},
        {3, 0, 4, {2, 4}},                    // among the spaces the word is the run of spaces
        {5, 4, 7, {4, 6}}, {9, 7, 9, {7, 9}}, // at the end: the last word
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.position);
        EXPECT_EQ(PreviousWordStart(text, row.position), row.previous_start);
        EXPECT_EQ(NextWordStart(text, row.position), row.next_start);
        EXPECT_EQ(WordAt(text, row.position), row.word);
    }
    EXPECT_EQ(WordAt("", 0), (EditRange{0, 0}));
}

} // namespace
