// Text that assistive technology writes into a field (AtkEditableText) meets exactly the
// rules a paste meets there: the digit fields' checks, the byte-pair field's refusal, the
// limits, read-only fields; and the user's clipboard is left alone.

#include "main_window_fixture.h"

#include "pages/convert_page.h"
#include "pages/logic_page.h"
#include "platform/accessibility/accessible_tree.h"
#include "platform/text/clipboard.h"
#include "testing/simulated_desktop.h"

namespace {

enum class Operation { Replace, InsertAtEnd, InsertAtStart };

void Apply(Operation operation, HWND field, const std::optional<std::string>& text) {
    switch (operation) {
    case Operation::Replace:
        ReplaceAccessibleText(field, text);
        break;
    case Operation::InsertAtEnd:
        InsertAccessibleText(field, SIZE_MAX, text);
        break;
    case Operation::InsertAtStart:
        InsertAccessibleText(field, 0, text);
        break;
    }
}

} // namespace

TEST_F(MainWindowTest, WrittenTextMeetsTheFieldsPasteRules) {
    struct Row {
        const char* why;
        int id;
        const char* before; // typed first
        Operation operation;
        std::optional<std::string> text;
        const char* after;
        int beeps;
    };
    const Row rows[] = {
        {"a hexadecimal paste is trimmed and upper-cased", AndRow.first(), "", Operation::Replace,
         " 0x1f\n", "1F", 0},
        {"a letter after F is refused whole", AndRow.first(), "12", Operation::Replace, "12G", "12",
         1},
        {"an insertion must fit the limit of 8", AndRow.first(), "1234ABCD", Operation::InsertAtEnd,
         "5", "1234ABCD", 1},
        {"an insertion goes where it is asked", AndRow.first(), "23", Operation::InsertAtStart, "1",
         "123", 0},
        {"a count takes two digits", SarRow.second(), "", Operation::Replace, "123", "", 1},
        {"a binary field takes only 0 and 1", BinaryField, "", Operation::Replace, "102", "", 1},
        {"the byte-pair field refuses every paste", PairField, "41", Operation::InsertAtEnd, "42",
         "41", 1},
        {"a text field takes any text of the code page", TextField, "", Operation::Replace, "AB",
         "AB", 0},
        {"a character the code page lacks is refused", TextField, "x", Operation::Replace,
         std::nullopt, "x", 1},
        {"a result field is read-only", AndRow.result(), "", Operation::Replace, "1", "", 0},
        {"an empty replacement empties the field", AndRow.first(), "12", Operation::Replace, "", "",
         0},
    };
    PutOnClipboard("CLIP", U"CLIP");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        HWND field = FindControl(row.id);
        SetDlgItemText(GetParent(field), row.id, nullptr);
        Type(row.id, row.before);
        const int beeps_before = BeepsHeard();
        Apply(row.operation, field, row.text);
        EXPECT_EQ(Text(row.id), row.after);
        EXPECT_EQ(BeepsHeard() - beeps_before, row.beeps);
    }
    EXPECT_EQ(ReadClipboardText(), "CLIP") << "the user's clipboard is untouched";
}

// What a field does with written text, its page does with it too: the conversions follow.
TEST_F(MainWindowTest, WrittenTextReachesThePageAsAPasteDoes) {
    ReplaceAccessibleText(FindControl(BinaryField), "101");
    EXPECT_EQ(Text(HexField), "00000005");
    EXPECT_EQ(Text(OctalField), "05");
    ReplaceAccessibleText(FindControl(TextField), "AB");
    EXPECT_EQ(Text(PairField), "41 42");
}

TEST_F(MainWindowTest, RangesAreDeletedCutAndCopiedAsSelected) {
    HWND field = FindControl(TextField);
    Type(TextField, "abcdef");
    DeleteAccessibleText(field, 1, 3);
    EXPECT_EQ(Text(TextField), "adef");
    CopyAccessibleText(field, 0, 2);
    EXPECT_EQ(ReadClipboardText(), "ad");
    CutAccessibleText(field, 2, SIZE_MAX);
    EXPECT_EQ(Text(TextField), "ad");
    EXPECT_EQ(ReadClipboardText(), "ef");
    PasteAccessibleText(field, 1);
    EXPECT_EQ(Text(TextField), "aefd");
    SelectAccessibleText(field, 1, 3);
    DWORD start = 0, end = 0;
    SendMessage(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 3u);
}
