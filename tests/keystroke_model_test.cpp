// The checker's model of the fields against the keystroke and paste rules the program
// describes: the beeps, the text left and what a copy or cut puts on the clipboard.

#include "keystroke_model.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr std::optional<std::string> Unforeseen = std::nullopt;

struct Case {
    const char* what;
    int field;
    std::string before;
    std::size_t selection_start;
    std::size_t selection_end;
    model::FieldMessage message;
    int beeps;
    std::optional<std::string> after;
    std::optional<std::string> copied = std::nullopt;
    std::optional<std::string> clipboard = std::string();
};

model::FieldMessage Typed(unsigned code) {
    return {WM_CHAR, code};
}
model::FieldMessage Key(unsigned key, bool shift, bool control) {
    return {WM_KEYDOWN, key, shift, control};
}
const model::FieldMessage PasteRequest = {WM_PASTE};

const std::string FullPairs = [] { // 35 pairs, the field's limit of 104 characters
    std::string pairs = "41";
    for (int pair = 1; pair < 35; ++pair)
        pairs += " 41";
    return pairs;
}();

TEST(KeystrokeModel, ForeseesBeepsTextAndClipboard) {
    const Case cases[] = {
        {"a digit, upper-cased", 2003, "", 0, 0, Typed('a'), 0, "A"},
        {"a ninth digit", 2003, "12345678", 8, 8, Typed('9'), 1, "12345678"},
        {"a third count digit", 2020, "1F", 2, 2, Typed('1'), 1, "1F"},
        {"no digit", 2003, "1234", 2, 2, Typed('g'), 1, "1234"},
        {"over the selection", 2003, "1234", 0, 4, Typed('5'), 0, "5"},
        {"Ctrl+C in a digit field", 2003, "1234", 0, 4, Typed(0x03), 1, "1234"},
        {"backspace", 4006, "101", 3, 3, Typed(0x08), 0, "10"},
        {"Ctrl+C in a result", 2007, "00000001", 0, 8, Typed(0x03), 0, "00000001", "00000001"},
        {"a digit into a result", 2007, "00000001", 8, 8, Typed('1'), 0, "00000001"},
        {"no octal digit", 4012, "17", 2, 2, Typed('8'), 1, "17"},
        {"an octal digit", 4012, "17", 2, 2, Typed('7'), 0, "17"},
        {"pasted binary", 4006, "", 0, 0, PasteRequest, 0, "1010", {}, " 1010 "},
        {"pasted prefix in binary", 4006, "", 0, 0, PasteRequest, 1, "", {}, "0x1"},
        {"pasted hexadecimal", 2003, "AB", 2, 2, PasteRequest, 0, "AB1F", {}, " 0x1f\n"},
        {"pasted past the limit", 2003, "AB", 2, 2, PasteRequest, 1, "AB", {}, "1234567"},
        {"a clipboard the code page lacks", 2003, "", 0, 0, PasteRequest, 1, "", {}, {}},
        {"a pair completed", 4014, "41 4", 4, 4, Typed('2'), 0, "41 42"},
        {"a new pair at the end", 4014, "41 42", 5, 5, Typed('4'), 0, "41 42 4"},
        {"a new row over everything", 4014, "41 42", 0, 5, Typed('4'), 0, "4"},
        {"after a pair in the middle", 4014, "41 42", 2, 2, Typed('4'), 0, "41 4 42"},
        {"no room for the space", 4014, FullPairs, 104, 104, Typed('4'), 1, FullPairs},
        {"pasted pairs", 4014, "", 0, 0, PasteRequest, 1, ""},
        {"Shift+Insert in pairs", 4014, "", 0, 0, Key(VK_INSERT, true, false), 1, ""},
        {"text to the width", 4016, std::string(69, 'x'), 69, 69, Typed('y'), 0,
         std::string(69, 'x') + "y"},
        {"text past the width", 4016, std::string(70, 'x'), 70, 70, Typed('y'), 1,
         std::string(70, 'x')},
        {"a pasted line", 4016, "", 0, 0, PasteRequest, 0, "ab", {}, "ab\ncd"},
        {"pasted past the width",
         4016,
         std::string(68, 'x'),
         68,
         68,
         PasteRequest,
         1,
         std::string(68, 'x') + "ab",
         {},
         "abc"},
        {"Ctrl+X in text", 4016, "abc", 1, 3, Typed(0x18), 0, "a", "bc"},
        {"Ctrl+Z in text", 4016, "abc", 3, 3, Typed(0x1A), 0, Unforeseen},
        {"Shift+Delete", 2003, "1234", 0, 2, Key(VK_DELETE, true, false), 0, "34", "12"},
        {"Ctrl+Insert", 2003, "1234", 0, 2, Key(VK_INSERT, false, true), 0, "1234", "12"},
        {"Delete", 2003, "1234", 0, 0, Key(VK_DELETE, false, false), 0, "234"},
        {"cut from a result", 2007, "00000001", 0, 8, {WM_CUT}, 0, "00000001"},
        {"copy of nothing", 4016, "abc", 1, 1, {WM_COPY}, 0, "abc"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const FieldInfo* field = FindField(test.field);
        ASSERT_NE(field, nullptr);
        const model::MessageOutcome outcome =
            model::OutcomeOf(*field, {test.before, test.selection_start, test.selection_end},
                             test.message, [&] { return test.clipboard; });
        EXPECT_EQ(outcome.beeps, test.beeps);
        EXPECT_EQ(outcome.text, test.after);
        EXPECT_EQ(outcome.copied, test.copied);
    }
}

} // namespace
