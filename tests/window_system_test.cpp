#include "control_test_dialog.h"

#include "platform/backends/headless/headless_backend.h"
#include "resources/program_resources.h"
#include "testing/headless_windows.h"
#include "testing/simulated_user.h"
#include "testing/window_text.h"

#include <gtest/gtest.h>
#include <string>

namespace {

constexpr DWORD Child = WS_CHILD | WS_VISIBLE;

const ControlTemplate Controls[] = {
    {"EDIT", "first", 11, 5, 5, 60, 12, Child | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {"STATIC", "label", 12, 5, 20, 60, 9, Child, 0},
    {"EDIT", nullptr, 13, 5, 32, 60, 12, Child | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {"BUTTON", "Check", 14, 5, 48, 60, 10, Child | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {"BUTTON", "Other", 15, 70, 90, 40, 14, Child | WS_TABSTOP, 0},
    {"BUTTON", "OK", IDOK, 120, 90, 40, 14, Child | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {"BUTTON", "Cancel", IDCANCEL, 160, 90, 38, 14, Child | WS_TABSTOP, 0},
};

HWND Item(int id) {
    return GetDlgItem(CurrentTestDialog().window, id);
}

LRESULT CALLBACK Tagging(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_GETTEXTLENGTH) {
        return 99;
    }
    return CallWindowProc(reinterpret_cast<WNDPROC>(window->user_data), window, message, wparam,
                          lparam);
}

} // namespace

TEST(WindowCalls, ReplacingAProcedureReturnsThePreviousOneForChaining) {
    OpenTestDialog(Controls);
    HWND edit = Item(11);
    auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtr(edit, GWLP_WNDPROC));
    LONG_PTR previous = SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Tagging));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(previous), original);
    SetWindowLongPtr(edit, GWLP_USERDATA, previous);
    EXPECT_EQ(GetWindowLongPtr(edit, GWLP_USERDATA), previous);
    EXPECT_EQ(SendMessage(edit, WM_GETTEXTLENGTH, 0, 0), 99) << "the new procedure answers";
    char text[16];
    EXPECT_EQ(GetDlgItemText(CurrentTestDialog().window, 11, text, sizeof text), 5)
        << "other messages reach the edit class through the chain";
    EXPECT_STREQ(text, "first");
}

TEST(WindowCalls, GetTextCopiesAtMostOneLessThanTheMaximumAndAZero) {
    OpenTestDialog(Controls);
    struct Row {
        int max_count;
        LRESULT copied;
        const char* text;
    };
    const Row rows[] = {{1, 0, ""}, {2, 1, "f"}, {5, 4, "firs"}, {6, 5, "first"}, {50, 5, "first"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.max_count);
        char buffer[64];
        std::fill(std::begin(buffer), std::end(buffer), '#');
        LRESULT copied = SendDlgItemMessage(CurrentTestDialog().window, 11, WM_GETTEXT,
                                            static_cast<WPARAM>(row.max_count),
                                            reinterpret_cast<LPARAM>(buffer));
        EXPECT_EQ(copied, row.copied);
        EXPECT_STREQ(buffer, row.text);
        EXPECT_EQ(buffer[row.max_count], '#') << "nothing written past the maximum";
    }
}

TEST(WindowCalls, ItemsAreFoundByIdAndTellTheirId) {
    HWND dialog = OpenTestDialog(Controls);
    for (const ControlTemplate& control : Controls) {
        SCOPED_TRACE(control.id);
        HWND item = GetDlgItem(dialog, control.id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(GetDlgCtrlID(item), control.id);
        EXPECT_EQ(GetParent(item), dialog);
    }
    EXPECT_EQ(GetDlgItem(dialog, 999), nullptr);
    EXPECT_EQ(SendDlgItemMessage(dialog, 999, WM_GETTEXTLENGTH, 0, 0), 0)
        << "a message to no window is answered with 0";
}

TEST(WindowCalls, SettingTextAndCheckingBoxes) {
    HWND dialog = OpenTestDialog(Controls);
    EXPECT_TRUE(SetDlgItemText(dialog, 12, "changed"));
    EXPECT_EQ(WindowText(Item(12)), "changed");
    SetDlgItemText(dialog, 12, nullptr);
    EXPECT_EQ(WindowText(Item(12)), "");
    EXPECT_EQ(IsDlgButtonChecked(dialog, 14), BST_UNCHECKED);
    SendDlgItemMessage(dialog, 14, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 14), BST_CHECKED);
}

TEST(WindowCalls, ShowWindowReportsThePreviousStateAndHidingTakesTheFocusAway) {
    OpenTestDialog(Controls);
    HWND edit = Item(13);
    MoveFocus(edit);
    EXPECT_TRUE(ShowWindow(edit, SW_HIDE));
    EXPECT_FALSE(ShowWindow(edit, SW_HIDE));
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_FALSE(IsWindowVisible(edit));
    EXPECT_FALSE(ShowWindow(edit, SW_SHOWDEFAULT));
    EXPECT_TRUE(IsWindowVisible(edit));
}

TEST(Dialogs, InitialisationRunsInsideTheCreatingCall) {
    StartHeadlessWindows(nullptr);
    static bool saw_controls = false;
    static bool created = false;
    DialogTemplate source{100, "T",     0, 0, 200, 120, WS_POPUP | WS_VISIBLE, 0, "MS Sans Serif",
                          8,   Controls};
    auto procedure = +[](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            saw_controls = GetDlgItem(dialog, IDCANCEL) != nullptr && !created;
            return TRUE;
        }
        return FALSE;
    };
    HWND dialog = CreateDialogFromTemplate(source, nullptr, procedure, 0);
    created = true;
    EXPECT_TRUE(saw_controls);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 11)) << "TRUE asks for the first tab stop";
}

TEST(Dialogs, ModalCallReturnsTheEndDialogValueOrMinusOne) {
    StartHeadlessWindows(&ProgramResources);
    EXPECT_EQ(DialogBoxParam(&ProgramResources, MAKEINTRESOURCE(4242), nullptr, nullptr, 0), -1)
        << "no such template";
    Windows().idle_step = [] {
        EndDialog(Windows().main_window, 77);
        return true;
    };
    auto procedure =
        +[](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR { return message == WM_INITDIALOG; };
    EXPECT_EQ(DialogBoxParam(&ProgramResources, MAKEINTRESOURCE(1000), nullptr, procedure, 0), 77);
}

TEST(DialogManager, TabWalksTheShownTabStopsBothWays) {
    OpenTestDialog(Controls);
    ShowWindow(Item(13), SW_HIDE);
    const int forward[] = {14, 15, IDOK, IDCANCEL, 11, 14};
    MoveFocus(Item(11));
    for (int id : forward) {
        PressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), Item(id)) << "forward to " << id;
    }
    const int backward[] = {11, IDCANCEL, IDOK};
    for (int id : backward) {
        PressKey(VK_TAB, Modifier::Shift);
        EXPECT_EQ(GetFocus(), Item(id)) << "backward to " << id;
    }
}

TEST(DialogManager, TabIntoAFieldSelectsItsText) {
    OpenTestDialog(Controls);
    MoveFocus(Item(IDCANCEL));
    PressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), Item(11));
    DWORD start = 0, end = 0;
    SendMessage(Item(11), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
}

TEST(DialogManager, EnterAndEscapeBecomeCommands) {
    struct Row {
        int focus;
        unsigned key;
        int command;
    };
    const Row rows[] = {
        {11, VK_RETURN, IDOK}, // a field does not take Enter
        {14, VK_RETURN, IDOK}, // nor a check box
        {15, VK_RETURN, 15},   // a focused push button does
        {IDCANCEL, VK_RETURN, IDCANCEL},
        {11, VK_ESCAPE, IDCANCEL},
        {15, VK_ESCAPE, IDCANCEL},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.focus) + " key " + std::to_string(row.key));
        OpenTestDialog(Controls);
        MoveFocus(Item(row.focus));
        PressKey(row.key);
        ASSERT_FALSE(Heard().empty());
        EXPECT_EQ(Heard().back().id, row.command);
        EXPECT_EQ(Heard().back().code, static_cast<int>(BN_CLICKED));
    }
}

TEST(DialogManager, SpaceTogglesAFocusedCheckBox) {
    HWND dialog = OpenTestDialog(Controls);
    MoveFocus(Item(14));
    PressKey(VK_SPACE);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 14), BST_CHECKED);
    PressKey(VK_SPACE);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 14), BST_UNCHECKED);
}

TEST(Pointer, EachControlShowsItsClassCursorUnlessItsProcedureSetsOne) {
    OpenTestDialog(Controls);
    struct Row {
        int id;
        CursorShape shape;
    };
    const Row rows[] = {
        {11, CursorShape::IBeam}, {12, CursorShape::Arrow}, {15, CursorShape::Arrow}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        PixelRect rect = WindowRectInFrame(Item(row.id));
        MovePointerTo(rect.x + 2, rect.y + 2);
        EXPECT_EQ(Windows().cursor, row.shape);
    }
}
