#include "main_window_fixture.h"

#include "platform/controls/control_classes.h"
#include "platform/platform.h"
#include "testing/headless_windows.h"

#include <algorithm>
#include <vector>

namespace {

int VisiblePageCount() {
    return static_cast<int>(std::count_if(std::begin(PageHandles), std::end(PageHandles),
                                          [](HWND page) { return page->is_visible(); }));
}

// Records the writes that reach the fields, in order, ahead of their own procedures.
struct WriteRecorder {
    struct Write {
        int id;
        UINT message;
        bool operator==(const Write&) const = default;
    };
    static std::vector<Write>& writes() {
        static std::vector<Write> recorded;
        return recorded;
    }
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_SETTEXT || message == BM_SETCHECK) {
            writes().push_back({window->id, message});
        }
        auto next = reinterpret_cast<WNDPROC>(window->user_data);
        return CallWindowProc(next, window, message, wparam, lparam);
    }
    static void Install(HWND page) {
        for (Window* control : page->children) {
            control->user_data =
                SetWindowLongPtr(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
        }
    }
};

} // namespace

TEST_F(MainWindowTest, StartsWithFourTabsAndTheLogicPageOnView) {
    HWND tab = FindControl(1001);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(SendMessage(tab, TCM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(CurrentPage, 0);
    for (HWND page : PageHandles) {
        ASSERT_TRUE(IsLive(page));
        EXPECT_EQ(page->parent, tab);
    }
    EXPECT_TRUE(PageHandles[0]->is_visible());
    EXPECT_EQ(VisiblePageCount(), 1);
    EXPECT_FALSE(m_main->icon.empty()) << "the small icon is set";
    EXPECT_EQ(Windows().focus, FindControl(2003)) << "the first operand takes the keyboard";
}

TEST_F(MainWindowTest, SwitchingShowsExactlyTheSelectedPage) {
    HWND tab = FindControl(1001);
    for (int from = 0; from < PageCount; ++from) {
        for (int to = 0; to < PageCount; ++to) {
            SCOPED_TRACE("from " + std::to_string(from) + " to " + std::to_string(to));
            ChooseTab(tab, from);
            ChooseTab(tab, to);
            EXPECT_EQ(CurrentPage, to);
            EXPECT_EQ(SendMessage(tab, TCM_GETCURSEL, 0, 0), to);
            EXPECT_TRUE(PageHandles[to]->is_visible());
            EXPECT_EQ(VisiblePageCount(), 1);
        }
    }
}

TEST_F(MainWindowTest, SelectingTheShownTabChangesNothing) {
    int shows = 0;
    static int* counter = nullptr;
    counter = &shows;
    for (HWND page : PageHandles) {
        page->user_data = SetWindowLongPtr(
            page, GWLP_WNDPROC,
            reinterpret_cast<LONG_PTR>(+[](HWND window, UINT message, WPARAM w, LPARAM l) {
                if (message == WM_SHOWWINDOW) {
                    ++*counter;
                }
                return CallWindowProc(reinterpret_cast<WNDPROC>(window->user_data), window, message,
                                      w, l);
            }));
    }
    ChooseTab(FindControl(1001), 0);
    EXPECT_EQ(shows, 0);
    ChooseTab(FindControl(1001), 2);
    EXPECT_EQ(shows, 2) << "one page hidden, one shown";
}

TEST_F(MainWindowTest, FieldsKeepTheirTextAcrossTabSwitches) {
    Type(2003, "1f");
    Click(2062);
    ChooseTab(FindControl(1001), 2);
    Type(4016, "Kalvetra");
    ChooseTab(FindControl(1001), 0);
    ChooseTab(FindControl(1001), 2);
    ChooseTab(FindControl(1001), 0);
    EXPECT_EQ(Text(2003), "1F");
    EXPECT_TRUE(Checked(2062));
    EXPECT_EQ(Text(4016), "Kalvetra");
}

TEST_F(MainWindowTest, ClearEmptiesTheFieldsInItsOrderThenTheCarryBoxes) {
    for (int page = 0; page < 3; ++page) {
        WriteRecorder::Install(PageHandles[page]);
    }
    WriteRecorder::writes().clear();
    SendMessage(m_main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

    std::vector<WriteRecorder::Write> expected;
    for (int base = 2003; base <= 2048; base += 5) {
        for (int id : {base, base + 2, base + 4}) {
            expected.push_back({id, WM_SETTEXT});
        }
    }
    for (int id : {2053, 2055, 2056, 2058, 2059, 2061}) {
        expected.push_back({id, WM_SETTEXT});
    }
    for (int base = 3003; base <= 3038; base += 5) {
        for (int id : {base, base + 2, base + 4}) {
            expected.push_back({id, WM_SETTEXT});
        }
    }
    // Emptying 4004 makes the page rewrite its binary, decimal and octal forms, and emptying
    // 4014 rewrites the text field, each inside the write that caused it.
    for (int id : {4004, 4006, 4008, 4010, 4012, 4014, 4016}) {
        expected.push_back({id, WM_SETTEXT});
    }
    expected.push_back({2062, BM_SETCHECK});
    expected.push_back({2062, WM_SETTEXT});
    expected.push_back({3043, BM_SETCHECK});
    expected.push_back({3043, WM_SETTEXT});
    EXPECT_EQ(WriteRecorder::writes(), expected);
}

TEST_F(MainWindowTest, ClearResetsEveryPageWhicheverIsShown) {
    Type(2003, "12345678");
    Type(2005, "FF");
    Click(2006);
    Click(2062);
    ChooseTab(FindControl(1001), 1);
    Type(3003, "7");
    Click(3043);
    ChooseTab(FindControl(1001), 2);
    Type(4004, "ABC");
    Type(4016, "xy");
    ChooseTab(FindControl(1001), 3);
    std::string about_title = Text(5002);

    Click(1); // "Temizle"

    for (int id : {2003, 2005, 2007, 3003, 4004, 4014, 4016}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(Text(id), "");
    }
    EXPECT_EQ(Text(4006), std::string(32, '0'));
    EXPECT_EQ(Text(4008), "0");
    EXPECT_EQ(Text(4010), "0");
    EXPECT_EQ(Text(4012), "00");
    for (int box : {2062, 3043}) {
        SCOPED_TRACE(box);
        EXPECT_FALSE(Checked(box));
        EXPECT_EQ(Text(box), "Carry Flag: 0");
    }
    EXPECT_EQ(Text(5002), about_title) << "the About page is left alone";
    EXPECT_EQ(CurrentPage, 3) << "no tab changes";
}

TEST_F(MainWindowTest, EnterInAnOperandFieldClears) {
    Type(2003, "AB");
    PressKey(VK_RETURN);
    EXPECT_EQ(Text(2003), "");
    EXPECT_FALSE(m_main->dialog_ended);
}

TEST_F(MainWindowTest, EveryWayOfClosingEndsWithZero) {
    struct Way {
        const char* name;
        void (*close)();
    };
    const Way ways[] = {
        {"Kapat", [] { ClickControl(FindControl(2)); }},
        {"Escape in a field",
         [] {
             FocusAsClick(FindControl(2005));
             PressKey(VK_ESCAPE);
         }},
        {"title bar",
         [] {
             InputEvent close;
             close.type = InputEvent::Type::Close;
             DispatchInput(close);
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        SetUp();
        way.close();
        EXPECT_TRUE(m_main->dialog_ended);
        EXPECT_EQ(m_main->dialog_result, 0);
    }
}

TEST(MainWindowRun, FailsWithMinusOneWhenNoWindowCanBeOpened) {
    StartHeadlessWindows(&ProgramResources).fail_to_open("cannot open display: no display");
    EXPECT_EQ(RunMainWindow(), -1);
    const std::string& error = WindowSystemFailure();
    EXPECT_NE(error.find("cannot open display: no display"), std::string::npos) << error;
}

TEST(MainWindowRun, ReturnsTheModalResultAfterKapat) {
    StartHeadlessWindows(&ProgramResources);
    int steps = 0;
    Windows().idle_step = [&steps] {
        ++steps;
        ClickControl(FindControl(2));
        return true;
    };
    EXPECT_EQ(RunMainWindow(), 0);
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(Windows().main_window, nullptr) << "the window tree is gone";
}
