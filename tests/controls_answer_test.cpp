// What the window system learns by asking windows rather than by knowing their classes:
// where the mouse falls, what Tab stops at, who wants a key from anywhere, whose caret
// blinks; and the window system's own checks and trace.

#include "control_test_dialog.h"

#include "platform/controls/control_classes.h"
#include "platform/core/expect.h"
#include "platform/core/message_trace.h"
#include "platform/platform.h"
#include "testing/simulated_user.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr DWORD Child = WS_CHILD | WS_VISIBLE;

const ControlTemplate Controls[] = {
    {"BUTTON", "Group", 1, 0, 0, 200, 80, Child | BS_GROUPBOX, 0},
    {"STATIC", "label", 2, 5, 10, 60, 9, Child, 0},
    {"STATIC", "link", 3, 70, 10, 60, 9, Child | SS_NOTIFY, 0},
    {"EDIT", "field", 4, 5, 25, 60, 12, Child | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {"BUTTON", "Push", 5, 70, 25, 40, 14, Child | WS_TABSTOP, 0},
    {"SysTabControl32", nullptr, 6, 0, 85, 200, 30, Child | WS_TABSTOP | TCS_FOCUSNEVER, 0},
};

HWND Item(int id) {
    return GetDlgItem(CurrentTestDialog().window, id);
}

PixelRect Rect(int id) {
    return WindowRectInFrame(Item(id));
}

} // namespace

TEST(ControlsAnswer, TheMouseFallsThroughWhatAnswersTransparent) {
    OpenTestDialog(Controls);
    struct Row {
        int id;
        HWND expected_under_its_corner; // what a click at the control's top-left reaches
        const char* why;
    };
    const Row rows[] = {
        {2, CurrentTestDialog().window,
         "a label without SS_NOTIFY and the group box under it both let the mouse through"},
        {3, Item(3), "a label with SS_NOTIFY takes clicks"},
        {4, Item(4), "a field takes clicks"},
        {5, Item(5), "a push button takes clicks"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(WindowAt(Rect(row.id).x + 1, Rect(row.id).y + 1), row.expected_under_its_corner);
    }
    const LPARAM anywhere = MAKELPARAM(0, 0);
    EXPECT_EQ(SendMessage(Item(1), WM_NCHITTEST, 0, anywhere), HTTRANSPARENT);
    EXPECT_EQ(SendMessage(Item(2), WM_NCHITTEST, 0, anywhere), HTTRANSPARENT);
    EXPECT_EQ(SendMessage(Item(3), WM_NCHITTEST, 0, anywhere), HTCLIENT);
    EXPECT_EQ(SendMessage(Item(4), WM_NCHITTEST, 0, anywhere), HTCLIENT);
}

TEST(ControlsAnswer, TabPassesWhatAnswersAsALabel) {
    OpenTestDialog(Controls);
    MoveFocus(Item(4));
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(5));
    PressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), Item(4)) << "the tab strip that never takes the keyboard is passed by";
    EXPECT_EQ(SendMessage(Item(6), WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

TEST(ControlsAnswer, TheTabStripAsksForThePageKeysFromAnywhere) {
    OpenTestDialog(Controls);
    for (const char* label : {"One", "Two", "Three"}) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(label);
        SendMessage(Item(6), TCM_INSERTITEMA, 9, reinterpret_cast<LPARAM>(&item));
    }
    MoveFocus(Item(4));
    struct Row {
        unsigned key;
        Modifier held;
        int selected_after;
    };
    const Row rows[] = {
        {VK_TAB, Modifier::Control, 1},
        {VK_NEXT, Modifier::Control, 2},
        {VK_TAB, Modifier::Control, 0}, // round the end
        {VK_TAB, Modifier::Control | Modifier::Shift, 2},
        {VK_PRIOR, Modifier::Control, 1},
        {VK_PRIOR, Modifier::None, 1}, // without Ctrl the key is the field's
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.key));
        PressKey(row.key, row.held);
        EXPECT_EQ(SendMessage(Item(6), TCM_GETCURSEL, 0, 0), row.selected_after);
        EXPECT_EQ(GetFocus(), Item(4)) << "the keyboard stays where it was";
    }
}

TEST(ControlsAnswer, TheCaretBelongsToTheFieldWithTheKeyboard) {
    OpenTestDialog(Controls);
    MoveFocus(Item(4));
    EXPECT_EQ(Windows().caret_owner, Item(4));
    EXPECT_TRUE(IsCaretShown(Item(4)));
    MoveFocus(Item(5));
    EXPECT_EQ(Windows().caret_owner, nullptr) << "a push button makes no caret";
    EXPECT_FALSE(IsCaretShown(Item(4)));
}

TEST(ControlsAnswer, AClickGivesTheKeyboardToWhatTakesIt) {
    OpenTestDialog(Controls);
    MoveFocus(nullptr);
    ClickControl(Item(5));
    EXPECT_EQ(GetFocus(), Item(5));
    ClickControl(Item(4));
    EXPECT_EQ(GetFocus(), Item(4));
    ClickControl(Item(3));
    EXPECT_EQ(GetFocus(), Item(4)) << "a label does not take the keyboard";
}

TEST(Modules, StringsAndDialogsComeFromTheModuleHandedOver) {
    StartHeadlessWindows(&ProgramResources);
    EXPECT_EQ(GetModuleHandle(nullptr), &ProgramResources);
    char text[32];
    EXPECT_EQ(LoadString(GetModuleHandle(nullptr), IDM_EDIT_PASTE, text, sizeof text), 8);
    EXPECT_STREQ(text, "Yap\xFD\xFEt\xFDr");
    EXPECT_EQ(LoadString(GetModuleHandle(nullptr), IDM_EDIT_PASTE, text, 4), 3) << "cut short";
    EXPECT_STREQ(text, "Yap");
    EXPECT_EQ(LoadString(GetModuleHandle(nullptr), 1, text, sizeof text), 0);
    EXPECT_STREQ(text, "");

    StartHeadlessWindows(nullptr);
    EXPECT_EQ(GetModuleHandle(nullptr), nullptr);
    EXPECT_EQ(DialogBoxParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(1000), nullptr, nullptr, 0),
              -1);
}

TEST(Modules, APageIsAContainerTheDialogManagerLooksInto) {
    StartHeadlessWindows(&ProgramResources);
    HWND page =
        CreateDialogParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(2000), nullptr, nullptr, 0);
    ASSERT_NE(page, nullptr);
    EXPECT_NE(GetWindowLongPtr(page, GWL_EXSTYLE) & WS_EX_CONTROLPARENT, 0);
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(GetWindowLongPtr(page, GWLP_HINSTANCE)),
              &ProgramResources);
}

TEST(ExpectDeathTest, WindowsNeedAStartedWindowSystem) {
    StopWindowSystem();
    EXPECT_DEATH(CreateControl(Controls[0], nullptr, nullptr),
                 "expected Windows\\(\\).backend != nullptr");
}

TEST(ExpectDeathTest, AClassIsRegisteredOnce) {
    StartHeadlessWindows(nullptr);
    EXPECT_DEATH(RegisterWindowClass(*FindWindowClass("EDIT")),
                 "expected FindWindowClass\\(window_class.name\\) == nullptr");
}

TEST(MessageTrace, DescribesTheWindowTheMessageAndItsParameters) {
    OpenTestDialog(Controls);
    struct Row {
        int id;
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
        const char* expected;
    };
    const Row rows[] = {
        {4, WM_CHAR, '1', 1, "EDIT 4 WM_CHAR wParam=0x31 lParam=0x1"},
        {5, BM_CLICK, 0, 0, "BUTTON 5 BM_CLICK wParam=0x0 lParam=0x0"},
        {6, 0x7777, 2, -1, "SysTabControl32 6 0x7777 wParam=0x2 lParam=0xffffffffffffffff"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DescribeMessage(Item(row.id), row.message, row.wparam, row.lparam), row.expected);
    }
}
