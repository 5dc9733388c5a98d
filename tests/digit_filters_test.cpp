#include "operand/digit_filters.h"
#include "operand/hex_pair_filter.h"

#include "platform/core/dialog_template.h"
#include "platform/core/window_system.h"
#include "platform/text/clipboard.h"
#include "testing/headless_windows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int HexField = 101;
constexpr int BinaryField = 102;
constexpr int OctalField = 103;
constexpr int PairField = 104;

constexpr DWORD EditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_UPPERCASE;

const ControlTemplate FilteredFields[] = {
    {"EDIT", "", HexField, 4, 4, 80, 13, EditStyle, WS_EX_CLIENTEDGE},
    {"EDIT", "", BinaryField, 4, 20, 80, 13, EditStyle, WS_EX_CLIENTEDGE},
    {"EDIT", "", OctalField, 4, 36, 80, 13, EditStyle | ES_READONLY, WS_EX_CLIENTEDGE},
    {"EDIT", "", PairField, 4, 52, 80, 13, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE},
};

const DialogTemplate FilterPage = {
    9000, nullptr,       0, 0, 100, 70, WS_POPUP | WS_VISIBLE | DS_SETFONT, 0, "MS Sans Serif",
    8,    FilteredFields};

// Sets the limits and installs the filters as the pages do while they initialise.
INT_PTR CALLBACK FilterPageProcedure(HWND page, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG)
        return FALSE;
    SendDlgItemMessage(page, HexField, EM_LIMITTEXT, 8, 0);
    SendDlgItemMessage(page, BinaryField, EM_LIMITTEXT, 32, 0);
    SendDlgItemMessage(page, PairField, EM_LIMITTEXT, 104, 0);
    InstallFilter(page, HexField, HexDigitFilter);
    InstallFilter(page, BinaryField, BinaryDigitFilter);
    InstallFilter(page, OctalField, OctalDigitFilter);
    InstallFilter(page, PairField, HexPairFilter);
    return TRUE;
}

class DigitFilters : public testing::Test {
  protected:
    void SetUp() override {
        StartHeadlessWindows(nullptr);
        m_page = CreateDialogFromTemplate(FilterPage, nullptr, FilterPageProcedure, 0);
        ASSERT_NE(m_page, nullptr);
    }

    HWND field(int id) const { return GetDlgItem(m_page, id); }

    // Each character as the keyboard delivers it; returns the beeps it caused.
    int type(int id, const std::string& characters) const {
        const int beeps_before = Windows().beep_count;
        for (char character : characters)
            SendMessage(field(id), WM_CHAR, static_cast<unsigned char>(character), 1);
        return Windows().beep_count - beeps_before;
    }

    int paste(int id, const std::string& clipboard) const {
        WriteClipboardText(clipboard);
        const int beeps_before = Windows().beep_count;
        SendMessage(field(id), WM_PASTE, 0, 0);
        return Windows().beep_count - beeps_before;
    }

    std::string text(int id) const {
        char buffer[256];
        GetDlgItemText(m_page, id, buffer, sizeof buffer);
        return buffer;
    }

    void set_text(int id, const char* value) const { SetDlgItemText(m_page, id, value); }
    void select(int id, int start, int end) const {
        SendMessage(field(id), EM_SETSEL, static_cast<WPARAM>(start), end);
    }

    HWND m_page = nullptr;
};

} // namespace

TEST_F(DigitFilters, InstallingKeepsTheEditProcedure) {
    EXPECT_NE(SavedEditProc, nullptr);
    EXPECT_NE(SavedEditProc, HexDigitFilter);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtr(field(HexField), GWLP_WNDPROC)),
              HexDigitFilter);
}

TEST_F(DigitFilters, TypedCharactersPassOrBeep) {
    struct Row {
        int id;
        std::string typed;
        std::string text;
        int beeps;
    };
    const Row rows[] = {
        {HexField, "1a", "1A", 0},
        {HexField, "09afAF", "09AFAF", 0},
        {HexField, "12\b", "1", 0},            // backspace passes
        {HexField, "gG -x", "", 5},            // one beep per refused key
        {HexField, "\xFD\xDE", "", 2},         // Turkish letters "ıŞ"
        {HexField, "\x03\x16\x18\x1A", "", 4}, // Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z
        {HexField, "\x01\t\r\x1B\x7F", "", 5},
        {HexField, "123456789", "12345678", 1}, // the field's limit stops the 9, with its beep
        {BinaryField, "0120", "010", 1},
        {OctalField, "0123456789", "", 2}, // read-only: passed keys change nothing
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        set_text(row.id, "");
        EXPECT_EQ(type(row.id, row.typed), row.beeps);
        EXPECT_EQ(text(row.id), row.text);
    }
}

TEST_F(DigitFilters, OtherMessagesReachTheField) {
    // Text set by the program is not filtered.
    set_text(HexField, "+ -");
    EXPECT_EQ(text(HexField), "+ -");
    EXPECT_EQ(SendMessage(field(HexField), WM_GETTEXTLENGTH, 0, 0), 3);
    EXPECT_EQ(SendMessage(field(HexField), EM_GETLIMITTEXT, 0, 0), 8);
}

TEST_F(DigitFilters, PastesOnlyDigitsThatFit) {
    struct Row {
        int id;
        const char* before;
        int selection_start, selection_end;
        std::string clipboard;
        const char* after;
        int beeps;
    };
    const Row rows[] = {
        {HexField, "", 0, 0, " 0x1f\n", "1F", 0}, // white space and one prefix dropped
        {HexField, "", 0, 0, "0XabC", "ABC", 0},
        {HexField, "1234", 2, 2, "ff", "12FF34", 0},             // inserted at the caret
        {HexField, "12345678", 0, 8, "abcdef01", "ABCDEF01", 0}, // the selection makes room
        {HexField, "1234567", 7, 7, "AB", "1234567", 1},         // one place left, two digits
        {HexField, "", 0, 0, "12G4", "", 1},
        {HexField, "", 0, 0, "1 2", "", 1},
        {HexField, "", 0, 0, "0x", "", 1},
        {HexField, "", 0, 0, "0x0x1", "", 1}, // only one prefix is dropped
        {HexField, "", 0, 0, "  \t", "", 1},
        {HexField, "", 0, 0, "", "", 1},
        {HexField, "", 0, 0, "-1", "", 1},
        {BinaryField, "", 0, 0, " 1010 ", "1010", 0},
        {BinaryField, "", 0, 0, "102", "", 1},
        {BinaryField, "", 0, 0, "0x1", "", 1}, // binary fields take no prefix
        {BinaryField, "", 0, 0, std::string(33, '1'), "", 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.clipboard);
        set_text(row.id, row.before);
        select(row.id, row.selection_start, row.selection_end);
        EXPECT_EQ(paste(row.id, row.clipboard), row.beeps);
        EXPECT_EQ(text(row.id), row.after);
    }
}

// The text before the insertion point, once the selection is replaced, decides the space.
TEST_F(DigitFilters, PairFieldSpacesItsPairs) {
    struct Row {
        const char* before;
        std::string typed;
        const char* after;
        int beeps;
        int selection_start = 255; // the end of the text unless a row says otherwise
        int selection_end = 255;
    };
    const Row rows[] = {
        {"", "4142", "41 42", 0},
        {"", "a", "A", 0},
        {"", "4 g", "4", 2},      // the space is the filter's to put, never typed
        {"414", "2", "414 2", 0}, // at the end, the whole text decides
        {"41 42", "\b\b", "41 ", 0},
        // Text set by the program counts at once: the field's own text decides.
        {"41 42 43", "4", "41 42 43 4", 0},
        // Over the whole text selected, the digits start a new row of pairs.
        {"41 42", "4", "4", 0, 0, -1},
        {"41 42", "434", "43 4", 0, 0, -1},
        {"41 42", "4", "4", 0, 5, 0}, // selected from the end back to the start
        // In the middle: after a complete pair the digit is spaced, after a space it is not,
        // whatever ends the text.
        {"41 42", "4", "41 4 42", 0, 2, 2},
        {"41 42", "4", "41 442", 0, 3, 3},
        {"41 42 43", "5", "41 5 43", 0, 3, 5},
        {"4142", "4", "41 442", 0, 2, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.before) + " typed " + row.typed);
        set_text(PairField, row.before);
        select(PairField, row.selection_start, row.selection_end);
        EXPECT_EQ(type(PairField, row.typed), row.beeps);
        EXPECT_EQ(text(PairField), row.after);
    }
}

TEST_F(DigitFilters, PairFieldRefusesPasting) {
    set_text(PairField, "41");
    EXPECT_EQ(paste(PairField, "42"), 1);
    EXPECT_EQ(text(PairField), "41");
}

TEST_F(DigitFilters, OctalFieldLeavesPastingToTheField) {
    EXPECT_EQ(paste(OctalField, "17"), 0);
    EXPECT_EQ(text(OctalField), ""); // read-only
}
