#include "main_window_fixture.h"

#include "pages/convert_page.h"
#include "platform/controls/control_classes.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

// What reaches the conversion page and its fields, in order: "update 4004 flag 1" for an
// EN_UPDATE that found AcceptEdits at 1, "change ..." likewise, "write 4006" for a WM_SETTEXT
// arriving at a field.
std::vector<std::string>& Log() {
    static std::vector<std::string> entries;
    return entries;
}

LRESULT CALLBACK RecordingField(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SETTEXT)
        Log().push_back("write " + std::to_string(field->id));
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtr(field, GWLP_USERDATA));
    return CallWindowProc(previous, field, message, wparam, lparam);
}

LRESULT CALLBACK RecordingPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COMMAND && (HIWORD(wparam) == EN_UPDATE || HIWORD(wparam) == EN_CHANGE)) {
        Log().push_back(std::string(HIWORD(wparam) == EN_UPDATE ? "update " : "change ") +
                        std::to_string(LOWORD(wparam)) + " flag " + std::to_string(AcceptEdits));
    }
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtr(page, GWLP_USERDATA));
    return CallWindowProc(previous, page, message, wparam, lparam);
}

// Puts a recorder in front of a window, keeping its procedure in the window's user data.
void Record(HWND window, WNDPROC recorder) {
    SetWindowLongPtr(window, GWLP_USERDATA,
                     SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recorder)));
}

// The notifications of a write that the page makes and then ignores.
std::vector<std::string> IgnoredWrite(int id, int flag) {
    const std::string name = std::to_string(id);
    const std::string flag_text = " flag " + std::to_string(flag);
    return {"write " + name, "update " + name + flag_text, "change " + name + flag_text};
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& entries) {
    to.insert(to.end(), entries.begin(), entries.end());
}

// The five numeric forms of a value, written here without the page's routines.
struct NumericForms {
    std::string hexadecimal, binary, signed_decimal, unsigned_decimal, octal;
};

NumericForms FormsOf(std::uint32_t value) {
    NumericForms forms;
    char text[40];
    std::snprintf(text, sizeof text, "%08X", value);
    forms.hexadecimal = text;
    for (int bit = 31; bit >= 0; --bit)
        forms.binary += ((value >> bit) & 1) != 0 ? '1' : '0';
    forms.signed_decimal = std::to_string(static_cast<std::int32_t>(value));
    forms.unsigned_decimal = std::to_string(value);
    std::snprintf(text, sizeof text, "%02o", value); // at least two digits: 5 shows as 05
    forms.octal = text;
    return forms;
}

std::uint32_t ValueOf(const std::string& digits, int base) {
    return digits.empty() ? 0 : static_cast<std::uint32_t>(std::stoul(digits, nullptr, base));
}

std::string PairsOf(const std::string& text) {
    std::string pairs;
    char pair[3];
    for (std::size_t index = 0; index < text.size() && index < 35; ++index) {
        std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(text[index]));
        pairs += (index > 0 ? " " : "") + std::string(pair);
    }
    return pairs;
}

std::string TextOf(const std::string& pairs) {
    if (pairs.size() < 2 || pairs[0] == ' ')
        return "";
    std::string digits;
    for (char character : pairs) {
        if (character != ' ')
            digits += character;
    }
    std::string text;
    for (std::size_t index = 0; index + 1 < digits.size(); index += 2) {
        const auto byte = static_cast<char>(std::stoi(digits.substr(index, 2), nullptr, 16));
        text += byte == '\0' ? '.' : byte;
    }
    return text;
}

class ConvertPageTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ChooseTab(FindControl(1001), 2);
        Log().clear();
    }

    static void RecordPage() {
        Record(PageHandles[2], RecordingPage);
        for (int id :
             {HexField, BinaryField, SignedField, UnsignedField, OctalField, PairField, TextField})
            Record(FindControl(id), RecordingField);
    }

    static void SetText(int id, const std::string& text) {
        SendMessage(FindControl(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }

    // As the user pastes: the clipboard holds the text, the field is asked to paste.
    void Paste(int id, const std::string& text) {
        m_backend->set_clipboard_contents(text);
        FocusAsClick(FindControl(id));
        SendMessage(FindControl(id), WM_PASTE, 0, 0);
    }
};

} // namespace

TEST_F(ConvertPageTest, HexKeystrokeWritesBinaryBeforeDecimalAndOctal) {
    RecordPage();
    Type(HexField, "5");

    std::vector<std::string> expected = {"update 4004 flag 1"};
    Append(expected, IgnoredWrite(BinaryField, 0));
    expected.push_back("change 4004 flag 1");
    for (int id : {SignedField, UnsignedField, OctalField})
        Append(expected, IgnoredWrite(id, 1));
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(AcceptEdits, 1u);
}

// Kept on purpose: the flag is a 32-bit value, 1 or 0, as the page has always held it.
static_assert(std::is_same_v<decltype(AcceptEdits), std::uint32_t>);

TEST_F(ConvertPageTest, BinaryKeystrokeWritesHexWhoseChangeReachesDecimalAndOctal) {
    RecordPage();
    Type(BinaryField, "1");

    // The hexadecimal write is converted on to the decimal and octal forms inside it, while
    // AcceptEdits keeps it from converting back into 4006.
    std::vector<std::string> expected = {"update 4006 flag 1", "write 4004", "update 4004 flag 0",
                                         "change 4004 flag 0"};
    for (int id : {SignedField, UnsignedField, OctalField})
        Append(expected, IgnoredWrite(id, 0));
    expected.push_back("change 4006 flag 1");
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(Text(HexField), "00000001");
    EXPECT_EQ(Text(BinaryField), "1");
}

TEST_F(ConvertPageTest, PairSpaceIsConvertedBeforeItsDigit) {
    Type(PairField, "41");
    RecordPage();
    Type(PairField, "4");

    std::vector<std::string> expected;
    for (int character = 0; character < 2; ++character) { // the filter's space, then the 4
        expected.push_back("update 4014 flag 1");
        Append(expected, IgnoredWrite(TextField, 0));
        expected.push_back("change 4014 flag 1");
    }
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(Text(PairField), "41 4");
}

TEST_F(ConvertPageTest, TextKeystrokeWritesPairsOnly) {
    RecordPage();
    Type(TextField, "A");

    std::vector<std::string> expected = {"update 4016 flag 1"};
    Append(expected, IgnoredWrite(PairField, 0));
    expected.push_back("change 4016 flag 1");
    EXPECT_EQ(Log(), expected);
}

// Random typing, deleting and caret moves in the four input fields. After every step the
// field acted on holds what the edit alone makes of it (no conversion wrote it back), and
// each group agrees with the field of that group changed last.
TEST_F(ConvertPageTest, RandomEditingKeepsEveryFieldInAgreement) {
    enum class Last { Nothing, Hexadecimal, Binary, Pairs, Text };
    struct Field {
        int id;
        Last group_change; // what a change of this field makes its group follow
        std::string accepted;
        std::string refused;
        std::size_t limit; // the typed limit; for 4016 where this test stops typing
    };
    const Field fields[] = {
        {HexField, Last::Hexadecimal, "0123456789ABCDEFabcdef", "g -", 8},
        {BinaryField, Last::Binary, "01", "2a", 32},
        {PairField, Last::Pairs, "0123456789ABCDEFabcdef", " x", 104},
        // "Aa .€ğışÿ~09"; 50 characters stay well inside the width the field shows.
        {TextField, Last::Text, "Aa .\x80\xF0\xFD\xFE\xFF~09", "", 50},
    };

    std::mt19937 random(20240611);
    Last numeric = Last::Nothing;
    Last string_group = Last::Nothing;
    for (int step = 0; step < 3000 && !HasFailure(); ++step) {
        const Field& field = fields[random() % 4];
        HWND control = FindControl(field.id);
        const std::string before = Text(field.id);
        const std::size_t caret = random() % (before.size() + 1);
        FocusAsClick(control);
        SendMessage(control, EM_SETSEL, caret, static_cast<LPARAM>(caret));
        const int beeps_before = Windows().beep_count;

        std::string expected = before;
        int expected_beeps = 0;
        std::string action;
        unsigned choice = random() % 10;
        if (field.id == TextField && before.size() >= field.limit)
            choice = 0;
        if (choice < 2) {
            action = "backspace";
            PressKey(VK_BACK);
            if (caret > 0)
                expected.erase(caret - 1, 1);
        } else if (choice < 4) {
            action = "delete";
            PressKey(VK_DELETE);
            if (caret < before.size())
                expected.erase(caret, 1);
        } else if (choice < 5 && !field.refused.empty()) {
            const char typed = field.refused[random() % field.refused.size()];
            action = std::string("refused ") + typed;
            TypeBytes(std::string(1, typed));
            expected_beeps = 1;
        } else {
            char typed = field.accepted[random() % field.accepted.size()];
            action = std::string("type ") + typed;
            TypeBytes(std::string(1, typed));
            if (field.id != TextField && typed >= 'a' && typed <= 'f')
                typed = static_cast<char>(typed - 0x20);
            std::string insertion(1, typed);
            // The pair filter puts a space first when the text before the caret ends in a
            // complete pair.
            if (field.id == PairField && caret >= 2 && before[caret - 1] != ' ' &&
                before[caret - 2] != ' ')
                insertion = " " + insertion;
            if (before.size() + insertion.size() <= field.limit)
                expected.insert(caret, insertion);
            else
                expected_beeps = 1;
        }
        SCOPED_TRACE("step " + std::to_string(step) + ": " + action + " at " +
                     std::to_string(caret) + " of \"" + before + "\" in " +
                     std::to_string(field.id));

        ASSERT_EQ(Text(field.id), expected);
        EXPECT_EQ(Windows().beep_count - beeps_before, expected_beeps);
        if (expected != before)
            (field.id == HexField || field.id == BinaryField ? numeric : string_group) =
                field.group_change;

        if (numeric == Last::Hexadecimal) {
            const NumericForms forms = FormsOf(ValueOf(Text(HexField), 16));
            EXPECT_EQ(Text(BinaryField), forms.binary);
            EXPECT_EQ(Text(SignedField), forms.signed_decimal);
            EXPECT_EQ(Text(UnsignedField), forms.unsigned_decimal);
            EXPECT_EQ(Text(OctalField), forms.octal);
        } else if (numeric == Last::Binary) {
            const NumericForms forms = FormsOf(ValueOf(Text(BinaryField), 2));
            EXPECT_EQ(Text(HexField), forms.hexadecimal);
            EXPECT_EQ(Text(SignedField), forms.signed_decimal);
            EXPECT_EQ(Text(UnsignedField), forms.unsigned_decimal);
            EXPECT_EQ(Text(OctalField), forms.octal);
        }
        if (string_group == Last::Pairs) {
            EXPECT_EQ(Text(TextField), TextOf(Text(PairField)));
        } else if (string_group == Last::Text) {
            EXPECT_EQ(Text(PairField), PairsOf(Text(TextField)));
        }
    }
    EXPECT_NE(numeric, Last::Nothing);
    EXPECT_NE(string_group, Last::Nothing);
}

// Each byte goes into 4016 as the user would bring it there, typed when it is printable
// and pasted when it is a control code, and comes back from its pair typed into 4014.
TEST_F(ConvertPageTest, EveryByteTravelsFromTextToPairsAndBack) {
    for (int code = 1; code < 256; ++code) {
        const std::string byte(1, static_cast<char>(code));
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", code);
        SCOPED_TRACE(pair);

        SetText(PairField, ""); // empties 4016 too
        if (code == '\r' || code == '\n')
            SetText(TextField, byte); // a paste stops at a line break
        else if (code < 0x20 || code == 0x7F)
            Paste(TextField, byte);
        else
            Type(TextField, byte);
        EXPECT_EQ(Text(TextField), byte);
        EXPECT_EQ(Text(PairField), pair);

        SetText(PairField, "");
        EXPECT_EQ(Text(TextField), "");
        Type(PairField, pair);
        EXPECT_EQ(Text(TextField), byte);
    }
}

TEST_F(ConvertPageTest, ZeroByteShowsAsDotWhichIsItsOwnPair) {
    Type(PairField, "00");
    EXPECT_EQ(Text(TextField), ".");
    SetText(PairField, "");
    Type(TextField, ".");
    EXPECT_EQ(Text(PairField), "2E");
}

// Near the typed limit of 104 a digit that needs a space first goes in with it or not at
// all: one beep, and no lone space left at the end.
TEST_F(ConvertPageTest, PairFieldRefusesADigitWithoutRoomForItsSpace) {
    std::string full = "41"; // 35 pairs and 34 spaces: 104 characters
    for (int pair = 1; pair < 35; ++pair)
        full += " 41";
    struct Row {
        std::string before;
        char typed;
        std::string after;
        int beeps;
    };
    const std::string room_for_one = full.substr(3) + "41"; // 103, ends in a complete pair
    const std::string room_for_four = full.substr(6) + "41";
    const Row rows[] = {
        {full, '4', full, 1},
        {room_for_one, '4', room_for_one, 1},
        {room_for_four, '4', room_for_four + " 4", 0},
        {full.substr(0, 103), '1', full, 0}, // completes the last pair: no space needed
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.before.size()) + " characters");
        SetText(PairField, row.before);
        FocusAsClick(FindControl(PairField));
        SendMessage(FindControl(PairField), EM_SETSEL, row.before.size(),
                    static_cast<LPARAM>(row.before.size()));
        const int beeps_before = Windows().beep_count;
        TypeBytes(std::string(1, row.typed));
        EXPECT_EQ(Text(PairField), row.after);
        EXPECT_EQ(Windows().beep_count - beeps_before, row.beeps);
    }
}
