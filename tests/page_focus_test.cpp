// The keyboard as keyboard and screen-reader users meet it: after every page switch it is on
// the shown page (where it was when the page was left, else on the first field), and the
// push button that has it shows the default frame, which goes back to "Temizle" when the
// keyboard leaves the buttons.

#include "main_window_fixture.h"

#include "pages/convert_page.h"
#include "pages/logic_page.h"
#include "pages/math_page.h"

namespace {

HWND DefaultFramed() {
    HWND framed = nullptr;
    int count = 0;
    std::function<void(HWND)> visit = [&](HWND window) {
        for (Window* child : window->children) {
            if (SendMessage(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
                framed = child;
                ++count;
            }
            visit(child);
        }
    };
    visit(Windows().main_window);
    EXPECT_EQ(count, 1) << "one default frame at a time";
    return framed;
}

} // namespace

TEST_F(MainWindowTest, APageSwitchPutsTheKeyboardOnTheShownPage) {
    struct Row {
        const char* why;
        std::function<void()> act;
        int focus;
    };
    const Row rows[] = {
        {"a page first shown: its first field", [] { ClickTab(TabHandle, 1); }, AddRow.first()},
        {"back: where the keyboard was", [] { ClickTab(TabHandle, 0); }, AndRow.first()},
        {"a field clicked before leaving is remembered",
         [] {
             Click(XorRow.second());
             PressKey(VK_TAB, Modifier::Control);
             PressKey(VK_TAB, Modifier::Control | Modifier::Shift);
         },
         XorRow.second()},
        {"a button too",
         [] {
             Click(RolRow.button());
             ClickTab(TabHandle, 2);
             ClickTab(TabHandle, 0);
         },
         RolRow.button()},
        {"the About page has no field: the first button of the window",
         [] { ClickTab(TabHandle, 3); }, IDOK},
        {"from there to the conversion page's first field", [] { ClickTab(TabHandle, 2); },
         HexField},
        {"a button with the keyboard stays with it on the About page",
         [] {
             Click(IDCANCEL);
             ClickTab(TabHandle, 3);
         },
         IDCANCEL},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        row.act();
        ASSERT_NE(GetFocus(), nullptr);
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), row.focus);
        EXPECT_TRUE(IsWindowVisible(GetFocus()));
    }
}

TEST_F(MainWindowTest, DigitsTypedRightAfterASwitchLandOnThePage) {
    ClickTab(TabHandle, 1);
    TypeBytes("7f");
    EXPECT_EQ(Text(AddRow.first()), "7F");
    PressKey(VK_NEXT, Modifier::Control);
    TypeBytes("1");
    EXPECT_EQ(Text(HexField), "1");
    EXPECT_EQ(Text(SignedField), "1") << "the page converted what was typed";
}

TEST_F(MainWindowTest, TheDefaultFrameGoesWithTheKeyboardAmongTheButtons) {
    struct Row {
        int focus;
        int framed;
    };
    const Row rows[] = {
        {AndRow.first(), IDOK},
        {AndRow.button(), AndRow.button()},
        {OrRow.button(), OrRow.button()},
        {LogicCarryBox, IDOK}, // a check box is no push button
        {IDCANCEL, IDCANCEL},
        {AndRow.result(), IDOK},
    };
    EXPECT_EQ(DefaultFramed(), FindControl(IDOK));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.focus);
        SetFocus(FindControl(row.focus));
        EXPECT_EQ(DefaultFramed(), FindControl(row.framed));
    }
}

TEST_F(MainWindowTest, EnterPressesTheFramedButton) {
    Type(AndRow.first(), "6");
    Type(AndRow.second(), "3");
    SetFocus(FindControl(AndRow.button()));
    PressKey(VK_RETURN);
    EXPECT_EQ(Text(AndRow.result()), "00000002") << "AND computed, nothing cleared";
    SetFocus(FindControl(AndRow.first()));
    PressKey(VK_RETURN);
    EXPECT_EQ(Text(AndRow.result()), "") << "Temizle";
}
