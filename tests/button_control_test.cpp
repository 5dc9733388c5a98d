#include "control_test_dialog.h"

#include "platform/controls/control_classes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int PushId = 10;
constexpr int DefaultId = 11;
constexpr int CheckId = 12;
constexpr int GroupId = 13;
constexpr int DisabledId = 14;

constexpr DWORD Child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

const ControlTemplate Buttons[] = {
    {"BUTTON", "Push", PushId, 20, 20, 40, 14, Child | BS_PUSHBUTTON, 0},
    {"BUTTON", "Default", DefaultId, 70, 20, 40, 14, Child | BS_DEFPUSHBUTTON, WS_EX_STATICEDGE},
    {"BUTTON", "Carry Flag: 0", CheckId, 20, 50, 76, 11, Child | BS_AUTOCHECKBOX, 0},
    {"BUTTON", "Group", GroupId, 110, 50, 80, 40, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0},
    {"BUTTON", "Off", DisabledId, 20, 80, 40, 14, Child | WS_DISABLED | BS_PUSHBUTTON, 0},
};

HWND Button(int id) {
    return GetDlgItem(CurrentTestDialog().window, id);
}

std::vector<HeardMessage> Clicked(int id) {
    return {{WM_COMMAND, id, static_cast<int>(BN_CLICKED), Button(id)}};
}

class ButtonControl : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(OpenTestDialog(Buttons), nullptr); }
};

TEST_F(ButtonControl, AutoCheckBoxTogglesBeforeTheParentHearsTheClick) {
    std::vector<LRESULT> states_seen;
    CurrentTestDialog().hook = [&](HWND dialog, UINT message, WPARAM wparam, LPARAM) {
        if (message == WM_COMMAND && LOWORD(wparam) == CheckId) {
            states_seen.push_back(SendDlgItemMessage(dialog, CheckId, BM_GETCHECK, 0, 0));
        }
        return INT_PTR{0};
    };
    ClickAt(Button(CheckId), 5, 5);
    ClickAt(Button(CheckId), 5, 5);
    EXPECT_EQ(states_seen, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED}));
}

// A double click arrives as a second press: the box toggles twice and the parent hears two
// clicks, as the carry box's caption handling expects.
TEST_F(ButtonControl, DoubleClickOnCheckBoxTogglesTwice) {
    ClickAt(Button(CheckId), 5, 5);
    ClickAt(Button(CheckId), 5, 5, 2);
    EXPECT_EQ(Heard().size(), 2u);
    EXPECT_EQ(IsDlgButtonChecked(CurrentTestDialog().window, CheckId), BST_UNCHECKED);
}

TEST_F(ButtonControl, SetCheckChangesTheStateWithoutNotifying) {
    const HWND dialog = CurrentTestDialog().window;
    SendDlgItemMessage(dialog, CheckId, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog, CheckId), BST_CHECKED);
    SendDlgItemMessage(dialog, CheckId, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog, CheckId), BST_UNCHECKED);
    EXPECT_TRUE(Heard().empty());
}

TEST_F(ButtonControl, PushButtonClicksOnReleaseInsideOnly) {
    struct Step {
        enum Kind { Press, Move, Release } kind;
        int x, y; // relative to the button; (-10, -10) lies outside it
    };
    struct Row {
        const char* name;
        std::vector<Step> steps;
        bool clicks;
    };
    const Row rows[] = {
        {"press and release inside", {{Step::Press, 5, 5}, {Step::Release, 6, 6}}, true},
        {"released outside", {{Step::Press, 5, 5}, {Step::Release, -10, -10}}, false},
        // The press stays with the button while the pointer wanders off and back.
        {"wanders off and back",
         {{Step::Press, 5, 5}, {Step::Move, -10, -10}, {Step::Move, 5, 5}, {Step::Release, 5, 5}},
         true},
        {"pressed elsewhere", {{Step::Press, -10, -10}, {Step::Release, 5, 5}}, false},
        {"press alone", {{Step::Press, 5, 5}}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(OpenTestDialog(Buttons), nullptr);
        const HWND push = Button(PushId);
        for (const Step& step : row.steps) {
            switch (step.kind) {
            case Step::Press:
                PressMouse(push, step.x, step.y);
                break;
            case Step::Move:
                MoveMouse(push, step.x, step.y);
                break;
            case Step::Release:
                ReleaseMouse(push, step.x, step.y);
                break;
            }
        }
        EXPECT_EQ(Heard(), row.clicks ? Clicked(PushId) : std::vector<HeardMessage>{});
    }
}

TEST_F(ButtonControl, SpacePressesAndItsReleaseClicks) {
    struct Row {
        int id;
        LRESULT check_after;
    };
    const Row rows[] = {{PushId, BST_UNCHECKED}, {CheckId, BST_CHECKED}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        ASSERT_NE(OpenTestDialog(Buttons), nullptr);
        MoveFocus(Button(row.id));
        SendKey(InputEvent::Type::KeyDown, VK_SPACE);
        SendKey(InputEvent::Type::KeyDown, VK_SPACE); // auto-repeat
        EXPECT_TRUE(Heard().empty()) << "no click while Space is held";
        SendKey(InputEvent::Type::KeyUp, VK_SPACE);
        EXPECT_EQ(Heard(), Clicked(row.id));
        EXPECT_EQ(SendMessage(Button(row.id), BM_GETCHECK, 0, 0), row.check_after);
    }
}

TEST_F(ButtonControl, SpacePressIsDroppedWhenTheFocusMoves) {
    MoveFocus(Button(PushId));
    SendKey(InputEvent::Type::KeyDown, VK_SPACE);
    MoveFocus(Button(DefaultId));
    SendKey(InputEvent::Type::KeyUp, VK_SPACE);
    EXPECT_TRUE(Heard().empty());
}

TEST_F(ButtonControl, ClickMessageClicks) {
    SendMessage(Button(CheckId), BM_CLICK, 0, 0);
    EXPECT_EQ(Heard(), Clicked(CheckId));
    EXPECT_EQ(SendMessage(Button(CheckId), BM_GETCHECK, 0, 0), BST_CHECKED);
}

// Disabled buttons and group boxes take no input of any kind.
TEST_F(ButtonControl, DisabledButtonsAndGroupBoxesIgnoreInput) {
    for (int id : {DisabledId, GroupId}) {
        SCOPED_TRACE(id);
        const HWND button = Button(id);
        SendMessage(button, WM_LBUTTONDOWN, 1, MAKELPARAM(5, 5));
        SendMessage(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        SendMessage(button, WM_KEYDOWN, VK_SPACE, 1);
        SendMessage(button, WM_KEYUP, VK_SPACE, 1);
        SendMessage(button, BM_CLICK, 0, 0);
        EXPECT_TRUE(Heard().empty());
    }
}

TEST_F(ButtonControl, DialogCodes) {
    struct Row {
        int id;
        LRESULT code;
    };
    const Row rows[] = {
        {PushId, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {DefaultId, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {CheckId, DLGC_BUTTON},
        {GroupId, DLGC_STATIC},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        EXPECT_EQ(SendMessage(Button(row.id), WM_GETDLGCODE, 0, 0), row.code);
    }
}

TEST_F(ButtonControl, HeldButtonDrawsItsTextOnePixelDownRight) {
    PaintWindowTree();
    const DrawCommand* resting = FindText(Windows().frame, "Push");
    ASSERT_NE(resting, nullptr);
    const PixelRect at_rest = resting->rect;

    PressMouse(Button(PushId), 5, 5);
    PaintWindowTree();
    const DrawCommand* held = FindText(Windows().frame, "Push");
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(held->rect.x, at_rest.x + 1);
    EXPECT_EQ(held->rect.y, at_rest.y + 1);

    MoveMouse(Button(PushId), -10, -10);
    PaintWindowTree();
    EXPECT_EQ(FindText(Windows().frame, "Push")->rect, at_rest) << "off the button it pops up";
}

TEST_F(ButtonControl, TextColourFollowsTheEnabledState) {
    PaintWindowTree();
    EXPECT_EQ(FindText(Windows().frame, "Push")->colour, GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(FindText(Windows().frame, "Off")->colour, GetSysColor(COLOR_GRAYTEXT));
}

int DottedFrames() {
    int count = 0;
    for (const DrawCommand& command : Windows().frame.commands) {
        count += command.op == DrawOp::DottedFrame ? 1 : 0;
    }
    return count;
}

TEST_F(ButtonControl, OnlyTheFocusedButtonDrawsAFocusRectangle) {
    MoveFocus(nullptr);
    PaintWindowTree();
    EXPECT_EQ(DottedFrames(), 0);
    for (int id : {PushId, CheckId}) {
        SCOPED_TRACE(id);
        MoveFocus(Button(id));
        PaintWindowTree();
        EXPECT_EQ(DottedFrames(), 1);
    }
}

// The caption sits on the frame's top edge, on a strip of button face that hides the frame.
TEST_F(ButtonControl, GroupBoxCaptionCutsTheFrame) {
    PaintWindowTree();
    const DrawCommand* caption = FindText(Windows().frame, "Group");
    ASSERT_NE(caption, nullptr);
    const PixelRect box = WindowRectInFrame(Button(GroupId));
    EXPECT_EQ(caption->rect.y, box.y);
    const int frame_line_y = box.y + caption->rect.height / 2;
    EXPECT_EQ(ColourAt(caption->rect.x + 1, frame_line_y), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColourAt(box.right() - 10, frame_line_y), GetSysColor(COLOR_BTNSHADOW));
}

} // namespace
