#include "control_test_dialog.h"

#include "platform/backends/headless/headless_backend.h"
#include "platform/controls/control_classes.h"
#include "platform/controls/edit/edit_model.h"
#include "platform/paint/device_context.h"
#include "platform/text/clipboard.h"
#include "testing/simulated_user.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int PlainId = 10;  // scrolls: no width bound
constexpr int NarrowId = 11; // no ES_AUTOHSCROLL: typing stops at the visible width
constexpr int UpperId = 12;
constexpr int NumberId = 13;
constexpr int ReadOnlyId = 14; // holds "abc"
constexpr int CentredId = 15;
constexpr int MirrorId = 16; // written by a re-entrant parent

constexpr DWORD Child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

const ControlTemplate Fields[] = {
    {"EDIT", nullptr, PlainId, 10, 4, 100, 13, Child | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {"EDIT", nullptr, NarrowId, 10, 20, 40, 13, Child, WS_EX_CLIENTEDGE},
    {"EDIT", nullptr, UpperId, 10, 36, 100, 13, Child | ES_UPPERCASE | ES_AUTOHSCROLL, 0},
    {"EDIT", nullptr, NumberId, 10, 52, 100, 13, Child | ES_NUMBER | ES_AUTOHSCROLL, 0},
    {"EDIT", "abc", ReadOnlyId, 10, 68, 100, 13, Child | ES_READONLY | ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE},
    {"EDIT", nullptr, CentredId, 10, 84, 100, 13, Child | ES_CENTER, WS_EX_CLIENTEDGE},
    {"EDIT", nullptr, MirrorId, 10, 100, 100, 13, Child | ES_AUTOHSCROLL, 0},
};

HWND Field(int id) {
    return GetDlgItem(CurrentTestDialog().window, id);
}

std::string TextOf(int id) {
    char buffer[256];
    GetDlgItemText(CurrentTestDialog().window, id, buffer, sizeof buffer);
    return buffer;
}

void SetText(int id, const char* text) {
    SetDlgItemText(CurrentTestDialog().window, id, text);
}

// The change notifications one field sent, in order (focus notifications left out).
std::vector<int> ChangeCodesFrom(int id) {
    std::vector<int> codes;
    for (const HeardMessage& heard : Heard()) {
        if (heard.message == WM_COMMAND && heard.id == id &&
            heard.code != static_cast<int>(EN_SETFOCUS) &&
            heard.code != static_cast<int>(EN_KILLFOCUS)) {
            codes.push_back(heard.code);
        }
    }
    return codes;
}

const std::vector<int> UpdateThenChange = {EN_UPDATE, EN_CHANGE};

EditRange SelectionOf(int id) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(Field(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

void Select(int id, int anchor, int caret) {
    SendMessage(Field(id), EM_SETSEL, static_cast<WPARAM>(anchor), caret);
}

HeadlessBackend& Headless() {
    return static_cast<HeadlessBackend&>(*Windows().backend);
}

// Focuses a field and forgets what was heard so far.
void Focus(int id) {
    SetFocus(Field(id));
    Heard().clear();
}

class EditControl : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(OpenTestDialog(Fields), nullptr); }
};

TEST_F(EditControl, EveryKindOfChangeSendsUpdateThenChange) {
    struct Row {
        const char* why;
        std::function<void()> change;
        const char* expected_text;
    };
    // Each row starts from "abc" with "b" selected and "XY" on the clipboard.
    const Row rows[] = {
        {"typed", [] { TypeBytes("z"); }, "azc"},
        {"backspace", [] { PressKey(VK_BACK); }, "ac"},
        {"delete key", [] { PressKey(VK_DELETE); }, "ac"},
        {"paste", [] { PressKey('V', Modifier::Control); }, "aXYc"},
        {"cut", [] { PressKey('X', Modifier::Control); }, "ac"},
        {"clear", [] { SendMessage(Field(PlainId), WM_CLEAR, 0, 0); }, "ac"},
        {"undo",
         [] {
             TypeBytes("z");
             Heard().clear();
             PressKey('Z', Modifier::Control);
         },
         "abc"},
        {"replace selection",
         [] { SendMessage(Field(PlainId), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("Q")); },
         "aQc"},
        {"set text, even to the same text", [] { SetText(PlainId, "abc"); }, "abc"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        SetUp();
        SetText(PlainId, "abc");
        Select(PlainId, 1, 2);
        WriteClipboardText("XY");
        Focus(PlainId);
        row.change();
        EXPECT_EQ(TextOf(PlainId), row.expected_text);
        EXPECT_EQ(ChangeCodesFrom(PlainId), UpdateThenChange);
    }
}

TEST_F(EditControl, KeysThatChangeNothingNotifyNothing) {
    struct Row {
        const char* why;
        int anchor, caret;
        std::function<void()> keys;
    };
    const Row rows[] = {
        {"backspace at the start", 0, 0, [] { PressKey(VK_BACK); }},
        {"delete at the end", 3, 3, [] { PressKey(VK_DELETE); }},
        {"caret moves", 1, 1,
         [] {
             PressKey(VK_LEFT);
             PressKey(VK_END);
         }},
        {"copy", 0, 3, [] { PressKey('C', Modifier::Control); }},
        {"cut without a selection", 1, 1, [] { PressKey('X', Modifier::Control); }},
        {"nothing to undo", 1, 1, [] { PressKey('Z', Modifier::Control); }},
        {"tab and Ctrl+Backspace characters", 1, 1,
         [] {
             SendMessage(Field(PlainId), WM_CHAR, 0x09, 0);
             PressKey(VK_BACK, Modifier::Control);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        SetUp();
        SetText(PlainId, "abc");
        Select(PlainId, row.anchor, row.caret);
        Focus(PlainId);
        row.keys();
        EXPECT_EQ(TextOf(PlainId), "abc");
        EXPECT_TRUE(ChangeCodesFrom(PlainId).empty());
        EXPECT_EQ(Windows().beep_count, 0);
    }
}

TEST_F(EditControl, LimitRefusesTypingAndCutsPasteButNotSetText) {
    SendMessage(Field(PlainId), EM_LIMITTEXT, 4, 0);
    EXPECT_EQ(SendMessage(Field(PlainId), EM_GETLIMITTEXT, 0, 0), 4);
    Focus(PlainId);
    TypeBytes("abcdef");
    EXPECT_EQ(TextOf(PlainId), "abcd");
    EXPECT_EQ(Windows().beep_count, 2);
    EXPECT_EQ(std::count(Heard().begin(), Heard().end(),
                         HeardMessage{WM_COMMAND, PlainId, EN_MAXTEXT, Field(PlainId)}),
              2);

    // "bc" selected: two bytes of room for "WXYZ".
    Select(PlainId, 1, 3);
    WriteClipboardText("WXYZ");
    Heard().clear();
    PressKey(VK_INSERT, Modifier::Shift);
    EXPECT_EQ(TextOf(PlainId), "aWXd");
    EXPECT_EQ(Windows().beep_count, 3);
    EXPECT_EQ(ChangeCodesFrom(PlainId), (std::vector<int>{EN_MAXTEXT, EN_UPDATE, EN_CHANGE}));

    SetText(PlainId, "0123456789");
    EXPECT_EQ(TextOf(PlainId), "0123456789");

    SendMessage(Field(PlainId), EM_LIMITTEXT, 0, 0);
    EXPECT_EQ(SendMessage(Field(PlainId), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(EditControl, FieldWithoutAutoScrollTakesOnlyWhatItsWidthShows) {
    Focus(NarrowId);
    TypeBytes(std::string(30, 'W'));
    const std::size_t shown = TextOf(NarrowId).size();
    const int field_width = WindowRectInFrame(Field(NarrowId)).width;
    ASSERT_GT(shown, 0u);
    EXPECT_LE(static_cast<int>(shown) * HeadlessBackend::CharacterWidth, field_width);
    // Only the edge and the margins are left over: not room for one more character.
    EXPECT_GT(static_cast<int>(shown + 1) * HeadlessBackend::CharacterWidth, field_width - 10);
    EXPECT_EQ(Windows().beep_count, static_cast<int>(30 - shown));

    // A paste fills the remaining room and drops the rest, with one beep.
    SetText(NarrowId, std::string(shown - 3, 'a').c_str());
    Select(NarrowId, 0, 0);
    WriteClipboardText("0123456789");
    const int beeps = Windows().beep_count;
    PressKey('V', Modifier::Control);
    EXPECT_EQ(TextOf(NarrowId), "012" + std::string(shown - 3, 'a'));
    EXPECT_EQ(Windows().beep_count, beeps + 1);

    // WM_SETTEXT is not bound by the width.
    SetText(NarrowId, std::string(30, 'W').c_str());
    EXPECT_EQ(TextOf(NarrowId).size(), 30u);
}

// The fill of the caret, a one-pixel column in the text colour.
const DrawCommand* FindCaret(const DrawList& list) {
    for (const DrawCommand& command : list.commands) {
        if (command.op == DrawOp::Fill && command.rect.width == 1 &&
            command.colour == GetSysColor(COLOR_WINDOWTEXT)) {
            return &command;
        }
    }
    return nullptr;
}

TEST_F(EditControl, AutoScrollFieldTakesLongTextAndKeepsTheCaretInView) {
    Focus(PlainId);
    TypeBytes(std::string(60, 'W'));
    EXPECT_EQ(TextOf(PlainId).size(), 60u);
    EXPECT_EQ(Windows().beep_count, 0);
    PaintWindowTree();
    const DrawCommand* caret = FindCaret(Windows().frame);
    ASSERT_NE(caret, nullptr);
    const PixelRect field = WindowRectInFrame(Field(PlainId));
    EXPECT_TRUE(field.contains(caret->rect.x, caret->rect.y));
    EXPECT_GT(caret->rect.x, field.x + field.width / 2); // at the end, on the right
}

TEST_F(EditControl, ReadOnlyFieldSelectsAndCopiesButNeverChanges) {
    WriteClipboardText("XY");
    Focus(ReadOnlyId);
    Select(ReadOnlyId, 1, 2);
    TypeBytes("x");
    PressKey(VK_BACK);
    PressKey(VK_DELETE);
    PressKey('V', Modifier::Control);
    PressKey('X', Modifier::Control);
    PressKey(VK_DELETE, Modifier::Shift);
    PressKey('Z', Modifier::Control);
    SendMessage(Field(ReadOnlyId), WM_CLEAR, 0, 0);
    SendMessage(Field(ReadOnlyId), WM_PASTE, 0, 0);
    EXPECT_EQ(TextOf(ReadOnlyId), "abc");
    EXPECT_TRUE(ChangeCodesFrom(ReadOnlyId).empty());
    EXPECT_EQ(Windows().beep_count, 0);

    PressKey('A', Modifier::Control);
    PressKey(VK_LEFT, Modifier::Shift);
    EXPECT_EQ(SelectionOf(ReadOnlyId), (EditRange{0, 2}));
    PressKey('C', Modifier::Control);
    EXPECT_EQ(ReadClipboardText(), "ab");

    SendMessage(Field(ReadOnlyId), EM_SETREADONLY, FALSE, 0);
    TypeBytes("x");
    EXPECT_EQ(TextOf(ReadOnlyId), "xc");
}

TEST_F(EditControl, UpperCaseFieldUpperCasesEverythingItTakesIn) {
    Focus(UpperId);
    TypeBytes("ab\xE7i\xFD"); // abçiı
    EXPECT_EQ(TextOf(UpperId), "AB\xC7II");
    WriteClipboardText("xy");
    PressKey('V', Modifier::Control);
    EXPECT_EQ(TextOf(UpperId), "AB\xC7IIXY");
    SetText(UpperId, "q");
    SendMessage(Field(UpperId), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("r"));
    EXPECT_EQ(TextOf(UpperId), "RQ");
}

TEST_F(EditControl, NumberFieldRefusesTypedNonDigitsButNotPastedOnes) {
    Focus(NumberId);
    TypeBytes("1a2");
    EXPECT_EQ(TextOf(NumberId), "12");
    EXPECT_EQ(Windows().beep_count, 1);
    WriteClipboardText("x3");
    PressKey('V', Modifier::Control);
    EXPECT_EQ(TextOf(NumberId), "12x3");
}

TEST_F(EditControl, UndoTakesBackARunOfTypingAndUndoAgainRedoes) {
    Focus(PlainId);
    TypeBytes("ab");
    EXPECT_TRUE(SendMessage(Field(PlainId), EM_CANUNDO, 0, 0));
    PressKey('Z', Modifier::Control);
    EXPECT_EQ(TextOf(PlainId), "");
    PressKey('Z', Modifier::Control);
    EXPECT_EQ(TextOf(PlainId), "ab");
    EXPECT_EQ(SelectionOf(PlainId), (EditRange{0, 2})); // what came back is selected
    SetText(PlainId, "new");
    EXPECT_FALSE(SendMessage(Field(PlainId), EM_CANUNDO, 0, 0));
}

TEST_F(EditControl, ShiftArrowsExtendFromTheAnchor) {
    SetText(PlainId, "ab cdef");
    Focus(PlainId);
    struct Row {
        unsigned key;
        Modifier held;
        EditRange expected;
    };
    const Row rows[] = {
        {VK_RIGHT, Modifier::Shift, {0, 1}},
        {VK_RIGHT, Modifier::Shift, {0, 2}},
        {VK_END, Modifier::Shift, {0, 7}},
        {VK_HOME, Modifier::None, {0, 0}},
        {VK_RIGHT, Modifier::Control, {3, 3}}, // the start of the next word
        {VK_END, Modifier::None, {7, 7}},
        {VK_HOME, Modifier::Shift, {0, 7}}, // caret before the anchor
        {VK_RIGHT, Modifier::Shift, {1, 7}},
        {VK_LEFT, Modifier::None, {0, 0}}, // one left of the caret, collapsed
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        PressKey(row.key, row.held);
        EXPECT_EQ(SelectionOf(PlainId), row.expected);
    }
}

TEST_F(EditControl, SetSelectionTakesAnchorThenCaret) {
    SetText(PlainId, "abcdef");
    Select(PlainId, 4, 1);
    EXPECT_EQ(SendMessage(Field(PlainId), EM_GETSEL, 0, 0), MAKELPARAM(1, 4));
    Focus(PlainId);
    PressKey(VK_RIGHT, Modifier::Shift); // the caret was at 1
    EXPECT_EQ(SelectionOf(PlainId), (EditRange{2, 4}));
    Select(PlainId, -1, 0);
    EXPECT_EQ(SelectionOf(PlainId), (EditRange{2, 2}));
    Select(PlainId, 3, -1);
    EXPECT_EQ(SelectionOf(PlainId), (EditRange{3, 6}));
}

TEST_F(EditControl, SetTextPutsTheCaretAtTheStart) {
    SetText(PlainId, "abc");
    Select(PlainId, 0, -1);
    EXPECT_EQ(SendMessage(Field(PlainId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("xyz")), TRUE);
    EXPECT_EQ(SelectionOf(PlainId), (EditRange{0, 0}));
    EXPECT_EQ(SendMessage(Field(PlainId), WM_SETTEXT, 0, 0), TRUE);
    EXPECT_EQ(TextOf(PlainId), "");
    // Emptying an empty field still notifies: a clear command relies on the reaction.
    Heard().clear();
    SetText(PlainId, "");
    EXPECT_EQ(ChangeCodesFrom(PlainId), UpdateThenChange);
}

TEST_F(EditControl, PasteOfTextTheCodePageCannotHoldBeeps) {
    SetText(PlainId, "abc");
    Focus(PlainId);
    Headless().set_clipboard_contents(std::nullopt);
    PressKey('V', Modifier::Control);
    EXPECT_EQ(TextOf(PlainId), "abc");
    EXPECT_EQ(Windows().beep_count, 1);
    EXPECT_TRUE(ChangeCodesFrom(PlainId).empty());
}

TEST_F(EditControl, FocusNotifiesAndKeepsTheSelection) {
    SetText(PlainId, "abcd");
    Select(PlainId, 1, 3);
    Heard().clear();
    SetFocus(Field(PlainId));
    SetFocus(Field(MirrorId));
    EXPECT_EQ(Heard()[0], (HeardMessage{WM_COMMAND, PlainId, EN_SETFOCUS, Field(PlainId)}));
    EXPECT_EQ(Heard()[1], (HeardMessage{WM_COMMAND, PlainId, EN_KILLFOCUS, Field(PlainId)}));
    EXPECT_EQ(SelectionOf(PlainId), (EditRange{1, 3}));
}

// A filter in front of the field, as the pages install: it records the clipboard and undo
// requests that reach the field's procedure.
WNDPROC g_field_procedure = nullptr;
std::vector<UINT> g_requests;

LRESULT CALLBACK RecordingFilter(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PASTE || message == WM_CUT || message == WM_COPY || message == WM_CLEAR ||
        message == WM_UNDO) {
        g_requests.push_back(message);
    }
    return CallWindowProc(g_field_procedure, field, message, wparam, lparam);
}

void ChooseFromMenu(const char* label, int id = PlainId) {
    RightClickControl(Field(id));
    ASSERT_TRUE(Windows().menu.is_open());
    EXPECT_TRUE(ChoosePopupMenuItem(label));
}

// A middle click at x, half way down the field.
void MiddleClick(HWND field, int x) {
    const PixelRect frame = WindowRectInFrame(field);
    ClickAt(frame.x + x, frame.y + frame.height / 2, MouseButton::Middle);
}

TEST_F(EditControl, ClipboardRequestsPassAFilterInFront) {
    struct Row {
        const char* why;
        std::function<void()> request;
        UINT expected;
    };
    const Row rows[] = {
        {"menu paste", [] { ChooseFromMenu("Yap\xFD\xFEt\xFDr"); }, WM_PASTE},
        {"menu cut", [] { ChooseFromMenu("Kes"); }, WM_CUT},
        {"menu copy", [] { ChooseFromMenu("Kopyala"); }, WM_COPY},
        {"menu delete", [] { ChooseFromMenu("Sil"); }, WM_CLEAR},
        {"menu undo", [] { ChooseFromMenu("Geri Al"); }, WM_UNDO},
        {"Shift+Insert", [] { PressKey(VK_INSERT, Modifier::Shift); }, WM_PASTE},
        {"Shift+Delete", [] { PressKey(VK_DELETE, Modifier::Shift); }, WM_CUT},
        {"Ctrl+Insert", [] { PressKey(VK_INSERT, Modifier::Control); }, WM_COPY},
        {"Ctrl+V", [] { PressKey('V', Modifier::Control); }, WM_PASTE},
        {"middle click", [] { MiddleClick(Field(PlainId), 1); }, WM_PASTE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        SetUp();
        HWND field = Field(PlainId);
        g_field_procedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingFilter)));
        Focus(PlainId);
        TypeBytes("abc");
        Select(PlainId, 0, -1);
        g_requests.clear();
        row.request();
        EXPECT_EQ(g_requests, std::vector<UINT>{row.expected});
    }
}

TEST_F(EditControl, MenuOffersWhatTheFieldCanDo) {
    struct Row {
        const char* why;
        int id;
        const char* text;
        bool select_all;
        std::vector<bool> expected; // undo, cut, copy, paste, delete, select all
    };
    const Row rows[] = {
        {"editable, selected, undoable", PlainId, "ab", true, {true, true, true, true, true, true}},
        {"editable, nothing selected or undoable",
         PlainId,
         "",
         false,
         {false, false, false, true, false, false}},
        {"read-only, selected",
         ReadOnlyId,
         nullptr,
         true,
         {false, false, true, false, false, true}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        SetUp();
        Focus(row.id);
        TypeBytes(row.text != nullptr ? row.text : "");
        if (row.select_all) {
            Select(row.id, 0, -1);
        }
        RightClickControl(Field(row.id));
        std::vector<bool> enabled;
        for (const PopupMenuItem& item : Windows().menu.items) {
            enabled.push_back(item.enabled);
        }
        EXPECT_EQ(enabled, row.expected);
    }
}

// The notifications in the order they reach the parent (the test dialog records each one
// only after its hook has run, so nested ones would come first there).
struct Arrival {
    int id;
    UINT code;
    bool operator==(const Arrival&) const = default;
};

TEST_F(EditControl, ParentMayWriteAnotherFieldInsideTheUpdate) {
    std::vector<Arrival> arrivals;
    CurrentTestDialog().hook = [&](HWND dialog, UINT message, WPARAM wparam, LPARAM) {
        if (message != WM_COMMAND || HIWORD(wparam) == EN_SETFOCUS) {
            return INT_PTR{0};
        }
        arrivals.push_back({LOWORD(wparam), HIWORD(wparam)});
        if (LOWORD(wparam) == PlainId && HIWORD(wparam) == EN_UPDATE) {
            char buffer[36];
            GetDlgItemText(dialog, PlainId, buffer, sizeof buffer);
            SetDlgItemText(dialog, MirrorId, (std::string(buffer) + "!").c_str());
        }
        return INT_PTR{0};
    };
    Focus(PlainId);
    TypeBytes("ab");
    EXPECT_EQ(TextOf(MirrorId), "ab!");
    const std::vector<Arrival> one_keystroke = {
        {PlainId, EN_UPDATE}, {MirrorId, EN_UPDATE}, {MirrorId, EN_CHANGE}, {PlainId, EN_CHANGE}};
    EXPECT_EQ(std::vector<Arrival>(arrivals.end() - 4, arrivals.end()), one_keystroke);
}

// As the byte-pair filter does: a character sent to the field while its own notification
// of the previous character is still running.
TEST_F(EditControl, KeystrokeArrivingInsideANotificationLandsAtTheCaret) {
    std::vector<Arrival> arrivals;
    CurrentTestDialog().hook = [&](HWND dialog, UINT message, WPARAM wparam, LPARAM) {
        if (message != WM_COMMAND || HIWORD(wparam) == EN_SETFOCUS) {
            return INT_PTR{0};
        }
        arrivals.push_back({LOWORD(wparam), HIWORD(wparam)});
        if (HIWORD(wparam) == EN_UPDATE && arrivals.size() == 1) {
            SendDlgItemMessage(dialog, PlainId, WM_CHAR, ' ', 0);
        }
        return INT_PTR{0};
    };
    Focus(PlainId);
    TypeBytes("a");
    TypeBytes("b");
    EXPECT_EQ(TextOf(PlainId), "a b");
    const std::vector<Arrival> expected = {{PlainId, EN_UPDATE}, {PlainId, EN_UPDATE},
                                           {PlainId, EN_CHANGE}, {PlainId, EN_CHANGE},
                                           {PlainId, EN_UPDATE}, {PlainId, EN_CHANGE}};
    EXPECT_EQ(arrivals, expected);
}

TEST_F(EditControl, MousePlacesTheCaretDragsAndSelectsWords) {
    HWND field = Field(CentredId);
    const PixelRect client = ClientRect(field);
    const int middle = client.width / 2;
    const int row = client.height / 2;
    SetText(CentredId, "abcd");
    // The text is centred, so the middle of the field is the middle of the text.
    ClickAt(field, middle, row);
    EXPECT_EQ(Windows().focus, field);
    EXPECT_EQ(SelectionOf(CentredId), (EditRange{2, 2}));
    ClickAt(field, 1, row);
    EXPECT_EQ(SelectionOf(CentredId), (EditRange{0, 0}));

    PressMouse(field, client.width - 1, row);
    MoveMouse(field, middle, row);
    ReleaseMouse(field, middle, row);
    EXPECT_EQ(SelectionOf(CentredId), (EditRange{2, 4}));

    SetText(CentredId, "abcde fg");
    ClickAt(field, middle + 1, row, 2);
    EXPECT_EQ(SelectionOf(CentredId), (EditRange{0, 5}));
}

// The PRIMARY selection is what the user selected last, by any means a user selects; what
// the program selects is not offered.
TEST_F(EditControl, TheUsersSelectionIsOfferedAsThePrimarySelection) {
    struct Row {
        const char* why;
        std::function<void()> action;
        const char* offered; // the PRIMARY selection afterwards
    };
    const auto field = [] { return Field(CentredId); };
    const auto middle = [field] { return ClientRect(field()).width / 2; };
    const auto row_y = [field] { return ClientRect(field()).height / 2; };
    // Each row starts from "abcd", centred, with the caret at the start of the focused field.
    const Row rows[] = {
        {"Shift+Right twice",
         [] {
             PressKey(VK_RIGHT, Modifier::Shift);
             PressKey(VK_RIGHT, Modifier::Shift);
         },
         "ab"},
        {"Shift+End", [] { PressKey(VK_END, Modifier::Shift); }, "abcd"},
        {"Ctrl+A", [] { PressKey('A', Modifier::Control); }, "abcd"},
        {"the menu's Tümünü Seç", [] { ChooseFromMenu("T\xFCm\xFCn\xFC Se\xE7", CentredId); },
         "abcd"},
        {"a drag from the end to the middle",
         [&] {
             PressMouse(field(), ClientRect(field()).width - 1, row_y());
             MoveMouse(field(), middle(), row_y());
             ReleaseMouse(field(), middle(), row_y());
         },
         "cd"},
        {"a double click", [&] { ClickAt(field(), middle(), row_y(), 2); }, "abcd"},
        // Not offered: the previous PRIMARY selection stays.
        {"the program's selection", [] { Select(CentredId, 0, 2); }, "before"},
        {"a click that selects nothing", [&] { ClickAt(field(), middle(), row_y()); }, "before"},
        {"Shift+Left at the start", [] { PressKey(VK_LEFT, Modifier::Shift); }, "before"},
        {"Tab selecting the next field's text",
         [] {
             SetText(MirrorId, "xyz");
             PressKey(VK_TAB);
         },
         "before"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        SetUp();
        SetText(CentredId, "abcd");
        Focus(CentredId);
        Headless().set_primary_selection("before");
        row.action();
        EXPECT_EQ(Headless().primary_selection(), row.offered);
    }
}

// A middle click pastes the PRIMARY selection where it clicks, as a paste: the first line,
// refused whole with a beep when the code page lacks a character, never into a read-only
// field; the clipboard is not read.
TEST_F(EditControl, MiddleClickPastesThePrimarySelectionAtTheClick) {
    struct Row {
        const char* why;
        int id;
        std::optional<std::string> primary;
        const char* expected_text;
        int beeps;
    };
    const Row rows[] = {
        {"at the click, not over the selection", CentredId, "XY", "abXYcd", 0},
        {"its first line", CentredId, "XY\r\nZ", "abXYcd", 0},
        {"a character the code page lacks", CentredId, std::nullopt, "abcd", 1},
        {"a read-only field", ReadOnlyId, "XY", "abcd", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        SetUp();
        SetText(row.id, "abcd");
        Select(row.id, 0, -1);
        Focus(PlainId);
        WriteClipboardText("clipboard");
        Headless().set_primary_selection_contents(row.primary);
        MiddleClick(Field(row.id), ClientRect(Field(row.id)).width / 2);
        EXPECT_EQ(TextOf(row.id), row.expected_text);
        EXPECT_EQ(Windows().beep_count, row.beeps);
        const bool is_pasted = std::string(row.expected_text) != "abcd";
        EXPECT_EQ(ChangeCodesFrom(row.id), is_pasted ? UpdateThenChange : std::vector<int>{});
        // Only an editable field takes the keyboard with the click.
        EXPECT_EQ(Windows().focus, row.id == ReadOnlyId ? Field(PlainId) : Field(row.id));
    }
}

const DrawCommand* FindFill(const DrawList& list, COLORREF colour, const PixelRect& inside) {
    for (const DrawCommand& command : list.commands) {
        if (command.op == DrawOp::Fill && command.colour == colour &&
            inside.intersected(command.rect) == command.rect) {
            return &command;
        }
    }
    return nullptr;
}

TEST_F(EditControl, SelectionIsPaintedOnlyWhileFocused) {
    const PixelRect field = WindowRectInFrame(Field(PlainId));
    SetText(PlainId, "abcd");
    Focus(PlainId);
    Select(PlainId, 1, 3);
    PaintWindowTree();
    EXPECT_NE(FindFill(Windows().frame, GetSysColor(COLOR_HIGHLIGHT), field), nullptr);
    const DrawCommand* selected = FindText(Windows().frame, "bc");
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(selected->colour, GetSysColor(COLOR_HIGHLIGHTTEXT));

    SetFocus(Field(MirrorId));
    PaintWindowTree();
    EXPECT_EQ(FindFill(Windows().frame, GetSysColor(COLOR_HIGHLIGHT), field), nullptr);
    EXPECT_NE(FindText(Windows().frame, "abcd"), nullptr);
}

bool HasFill(const DrawList& list, COLORREF colour, const PixelRect& rect) {
    return std::any_of(list.commands.begin(), list.commands.end(), [&](const DrawCommand& command) {
        return command.op == DrawOp::Fill && command.colour == colour && command.rect == rect;
    });
}

// The background fills the field inside its two-pixel sunken edge.
TEST_F(EditControl, ReadOnlyBackgroundIsButtonFace) {
    PaintWindowTree();
    const PixelRect read_only = WindowRectInFrame(Field(ReadOnlyId)).inset(2);
    const PixelRect editable = WindowRectInFrame(Field(PlainId)).inset(2);
    EXPECT_TRUE(HasFill(Windows().frame, GetSysColor(COLOR_BTNFACE), read_only));
    EXPECT_TRUE(HasFill(Windows().frame, GetSysColor(COLOR_WINDOW), editable));
}

} // namespace
