#include "control_test_dialog.h"

#include "platform/controls/control_classes.h"
#include "platform/controls/tab_control.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr int TabId = 30;

const ControlTemplate FocusNeverTab[] = {
    {"SysTabControl32", nullptr, TabId, 2, 1, 180, 100,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | TCS_FOCUSNEVER, 0},
};
const ControlTemplate FocusableTab[] = {
    {"SysTabControl32", nullptr, TabId, 2, 1, 180, 100, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0},
};

HWND Tab() {
    return GetDlgItem(CurrentTestDialog().window, TabId);
}

LRESULT Insert(HWND tab, int index, const char* label) {
    std::string text = label;
    TCITEMA item{TCIF_TEXT, 0, 0, text.data(), static_cast<int>(text.size() + 1), -1, 0};
    return SendMessage(tab, TCM_INSERTITEMA, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&item));
}

HWND OpenWithTabs(std::span<const ControlTemplate> controls,
                  std::initializer_list<const char*> labels) {
    if (OpenTestDialog(controls) == nullptr) {
        return nullptr;
    }
    int index = 0;
    for (const char* label : labels) {
        Insert(Tab(), index++, label);
    }
    return Tab();
}

LRESULT Selection() {
    return SendMessage(Tab(), TCM_GETCURSEL, 0, 0);
}

void ClickTab(int index) {
    const PixelRect rect = TabRects(Tab()).tabs[static_cast<std::size_t>(index)];
    ClickAt(Tab(), rect.x + rect.width / 2, rect.y + rect.height / 2);
}

std::vector<HeardMessage> SelectionChange() {
    return {{WM_NOTIFY, TabId, TCN_SELCHANGING, Tab()}, {WM_NOTIFY, TabId, TCN_SELCHANGE, Tab()}};
}

TEST(TabControl, FirstInsertedItemIsSelected) {
    ASSERT_NE(OpenTestDialog(FocusNeverTab), nullptr);
    EXPECT_EQ(Selection(), -1);
    EXPECT_EQ(Insert(Tab(), 0, "one"), 0);
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(SendMessage(Tab(), TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_TRUE(Heard().empty());
}

// Three tabs with the second selected; one more goes in.
TEST(TabControl, InsertingKeepsTheSelectedItem) {
    struct Row {
        int index;
        LRESULT inserted_at;
        LRESULT selection;
    };
    const Row rows[] = {
        {0, 0, 2}, {1, 1, 2},            // at the selection: the selected item moves along
        {2, 2, 1}, {3, 3, 1}, {9, 3, 1}, // past the end appends
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.index);
        ASSERT_NE(OpenWithTabs(FocusNeverTab, {"a", "b", "c"}), nullptr);
        SendMessage(Tab(), TCM_SETCURSEL, 1, 0);
        EXPECT_EQ(Insert(Tab(), row.index, "new"), row.inserted_at);
        EXPECT_EQ(Selection(), row.selection);
        EXPECT_EQ(SendMessage(Tab(), TCM_GETITEMCOUNT, 0, 0), 4);
    }
}

TEST(TabControl, SetSelectionReturnsThePreviousAndStaysSilent) {
    ASSERT_NE(OpenWithTabs(FocusNeverTab, {"a", "b", "c"}), nullptr);
    EXPECT_EQ(SendMessage(Tab(), TCM_SETCURSEL, 2, 0), 0);
    EXPECT_EQ(SendMessage(Tab(), TCM_SETCURSEL, 1, 0), 2);
    EXPECT_EQ(SendMessage(Tab(), TCM_SETCURSEL, 3, 0), -1);
    EXPECT_EQ(Selection(), 1);
    EXPECT_TRUE(Heard().empty());
}

TEST(TabControl, ClickOnAnotherTabAsksThenTells) {
    ASSERT_NE(OpenWithTabs(FocusNeverTab, {"Mant\xFDksal", "Matematiksel", "D\xF6n\xFC\xFE\xFCm"}),
              nullptr);
    std::vector<LRESULT> selection_when_heard;
    CurrentTestDialog().hook = [&](HWND, UINT message, WPARAM, LPARAM) {
        if (message == WM_NOTIFY) {
            selection_when_heard.push_back(Selection());
        }
        return INT_PTR{0};
    };
    ClickTab(2);
    EXPECT_EQ(Heard(), SelectionChange());
    EXPECT_EQ(selection_when_heard, (std::vector<LRESULT>{0, 2}));
    EXPECT_EQ(Selection(), 2);
}

TEST(TabControl, ClickOffTheOtherTabsChangesNothing) {
    struct Row {
        const char* name;
        int x, y; // relative to the tab control
    };
    ASSERT_NE(OpenWithTabs(FocusNeverTab, {"a", "b"}), nullptr);
    const TabParts parts = TabRects(Tab());
    const Row rows[] = {
        {"the selected tab", parts.tabs[0].x + 5, parts.tabs[0].y + 5},
        {"the body", parts.body.x + 20, parts.body.y + 20},
        {"the strip past the last tab", parts.tabs[1].right() + 5, parts.tabs[1].y + 5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ClickAt(Tab(), row.x, row.y);
        EXPECT_TRUE(Heard().empty());
        EXPECT_EQ(Selection(), 0);
    }
}

WNDPROC RefusedParentProcedure = nullptr;

// A parent that answers TRUE to TCN_SELCHANGING, which keeps the selection.
LRESULT CALLBACK RefusingProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NOTIFY &&
        reinterpret_cast<const NMHDR*>(lparam)->code == static_cast<UINT>(TCN_SELCHANGING)) {
        CallWindowProc(RefusedParentProcedure, window, message, wparam, lparam);
        return TRUE;
    }
    return CallWindowProc(RefusedParentProcedure, window, message, wparam, lparam);
}

TEST(TabControl, ParentCanRefuseTheChange) {
    ASSERT_NE(OpenWithTabs(FocusNeverTab, {"a", "b"}), nullptr);
    RefusedParentProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtr(
        CurrentTestDialog().window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(RefusingProcedure)));
    ClickTab(1);
    EXPECT_EQ(Heard(), (std::vector<HeardMessage>{{WM_NOTIFY, TabId, TCN_SELCHANGING, Tab()}}));
    EXPECT_EQ(Selection(), 0);
}

TEST(TabControl, ChooseTabActsAsAClick) {
    struct Row {
        int index;
        bool changes;
    };
    const Row rows[] = {{1, true}, {0, false}, {-1, false}, {2, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.index);
        ASSERT_NE(OpenWithTabs(FocusNeverTab, {"a", "b"}), nullptr);
        ChooseTab(Tab(), row.index);
        EXPECT_EQ(Heard(), row.changes ? SelectionChange() : std::vector<HeardMessage>{});
        EXPECT_EQ(Selection(), row.changes ? row.index : 0);
    }
}

// Labels "Ab", "Cde", "F" (12, 18 and 6 pixels of text) with "Cde" selected:
//   tab 0 {2, 2, 24, 17}, tab 1 {24, 0, 34, 21}, tab 2 {56, 2, 18, 17}, body from y 19.
TEST(TabControl, HitTestFollowsTheTabRectangles) {
    struct Row {
        int x, y;
        int tab;
    };
    const Row rows[] = {
        {3, 10, 0},   {25, 10, 1}, // where the raised selected tab covers its neighbour
        {40, 1, 1},                // the selected tab's raised top
        {3, 1, -1},                // above an unselected tab
        {57, 10, 1},  {70, 10, 2}, {100, 10, -1}, // the strip past the last tab
        {40, 20, 1},                              // where the selected tab joins the body
        {40, 40, -1},
    };
    ASSERT_NE(OpenWithTabs(FocusNeverTab, {"Ab", "Cde", "F"}), nullptr);
    SendMessage(Tab(), TCM_SETCURSEL, 1, 0);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.x << ", " << row.y);
        EXPECT_EQ(TabAt(Tab(), row.x, row.y), row.tab);
    }
}

// What is drawn is what is clicked: each label lies inside its tab's rectangle.
TEST(TabControl, LabelsArePaintedInsideTheirTabs) {
    const char* const labels[] = {"Ab", "Cde", "F"};
    ASSERT_NE(OpenWithTabs(FocusNeverTab, {labels[0], labels[1], labels[2]}), nullptr);
    SendMessage(Tab(), TCM_SETCURSEL, 1, 0);
    PaintWindowTree();
    const PixelRect frame = WindowRectInFrame(Tab());
    const TabParts parts = TabRects(Tab());
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(labels[index]);
        const DrawCommand* text = FindText(Windows().frame, labels[index]);
        ASSERT_NE(text, nullptr);
        PixelRect tab = parts.tabs[static_cast<std::size_t>(index)];
        tab.x += frame.x;
        tab.y += frame.y;
        EXPECT_EQ(text->rect.intersected(tab), text->rect);
    }
}

TEST(TabControl, ClickFocusesUnlessFocusNever) {
    struct Row {
        const char* name;
        std::span<const ControlTemplate> controls;
        bool takes_focus;
    };
    const Row rows[] = {{"focus never", FocusNeverTab, false}, {"focusable", FocusableTab, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(OpenWithTabs(row.controls, {"a", "b"}), nullptr);
        MoveFocus(nullptr);
        ClickTab(1);
        EXPECT_EQ(Windows().focus == Tab(), row.takes_focus);
        EXPECT_EQ(Selection(), 1);
    }
}

TEST(TabControl, ArrowKeysMoveTheSelection) {
    ASSERT_NE(OpenWithTabs(FocusableTab, {"a", "b"}), nullptr);
    MoveFocus(Tab());
    SendKey(InputEvent::Type::KeyDown, VK_RIGHT);
    EXPECT_EQ(Selection(), 1);
    SendKey(InputEvent::Type::KeyDown, VK_RIGHT); // already the last
    EXPECT_EQ(Selection(), 1);
    SendKey(InputEvent::Type::KeyDown, VK_LEFT);
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(Heard().size(), 4u);
}

} // namespace
