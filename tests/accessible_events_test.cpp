// The events that each user action raises for assistive technology (NotifyWinEvent, heard
// through SetWinEventHook), in the order a screen reader needs them, and none without a hook.

#include "main_window_fixture.h"

#include "pages/convert_page.h"
#include "pages/logic_page.h"
#include "pages/math_page.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <functional>
#include <sstream>
#include <vector>

namespace {

struct Heard {
    DWORD event;
    int id;
    LONG object = OBJID_CLIENT;
    LONG part = CHILDID_SELF;
    bool operator==(const Heard&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Heard& heard) {
    return out << std::hex << heard.event << std::dec << " " << heard.id << " " << heard.object
               << " " << heard.part;
}

std::vector<Heard>& Events() {
    static std::vector<Heard> events;
    return events;
}

void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG part, DWORD,
                     DWORD) {
    Events().push_back({event, GetDlgCtrlID(window), object, part});
}

// Whether expected happened in this order, with other events between them allowed.
bool HeardInOrder(const std::vector<Heard>& expected) {
    auto from = Events().begin();
    for (const Heard& heard : expected) {
        from = std::find(from, Events().end(), heard);
        if (from == Events().end()) {
            return false;
        }
        ++from;
    }
    return true;
}

std::string Describe(const std::vector<Heard>& events) {
    std::ostringstream out;
    for (const Heard& heard : events) {
        out << "\n  " << heard;
    }
    return out.str();
}

} // namespace

TEST_F(MainWindowTest, EachActionRaisesItsEvents) {
    struct Row {
        const char* action;
        std::function<void()> act;
        std::vector<Heard> expected;
    };
    const Row rows[] = {
        {"a click into a field",
         [] { Click(AndRow.second()); },
         {{EVENT_OBJECT_FOCUS, AndRow.second()}}},
        {"typing",
         [] { TypeBytes("3"); },
         {{EVENT_OBJECT_VALUECHANGE, AndRow.second()},
          {EVENT_OBJECT_LOCATIONCHANGE, AndRow.second(), OBJID_CARET}}},
        {"the row's button: the keyboard and the default frame go to it, then the result",
         [] { Click(AndRow.button()); },
         {{EVENT_OBJECT_STATECHANGE, IDOK},
          {EVENT_OBJECT_STATECHANGE, AndRow.button()},
          {EVENT_OBJECT_FOCUS, AndRow.button()},
          {EVENT_OBJECT_VALUECHANGE, AndRow.result()}}},
        {"the carry box",
         [] { Click(LogicCarryBox); },
         {{EVENT_OBJECT_STATECHANGE, LogicCarryBox}, {EVENT_OBJECT_NAMECHANGE, LogicCarryBox}}},
        {"a page switch: the tab, the pages, then the keyboard on the shown page",
         [] { ClickTab(TabHandle, 2); },
         {{EVENT_OBJECT_SELECTION, TabControlId, OBJID_CLIENT, 3},
          {EVENT_OBJECT_HIDE, 2000},
          {EVENT_OBJECT_SHOW, 4000},
          {EVENT_OBJECT_FOCUS, HexField}}},
        {"a keystroke on the conversion page: the field typed into first, then those that follow",
         [] { TypeBytes("5"); },
         {{EVENT_OBJECT_VALUECHANGE, HexField},
          {EVENT_OBJECT_VALUECHANGE, BinaryField},
          {EVENT_OBJECT_VALUECHANGE, SignedField},
          {EVENT_OBJECT_VALUECHANGE, UnsignedField},
          {EVENT_OBJECT_VALUECHANGE, OctalField}}},
        {"Temizle empties the results and unticks the box",
         [] { PressKey(VK_RETURN); },
         {{EVENT_OBJECT_VALUECHANGE, AndRow.result()}, {EVENT_OBJECT_STATECHANGE, LogicCarryBox}}},
    };
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, Record, 0, 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.action);
        Events().clear();
        row.act();
        EXPECT_TRUE(HeardInOrder(row.expected)) << "heard:" << Describe(Events());
    }
    EXPECT_TRUE(UnhookWinEvent(hook));
    Events().clear();
    Type(AndRow.first(), "1");
    EXPECT_TRUE(Events().empty()) << "no hook, no event";
}

// A hook takes only the events of its range.
TEST_F(MainWindowTest, AHookTakesTheEventsOfItsRange) {
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, Record, 0,
                                         0, WINEVENT_OUTOFCONTEXT);
    Events().clear();
    Type(AndRow.second(), "12");
    const std::vector<Heard> expected = {{EVENT_OBJECT_FOCUS, AndRow.second()}};
    EXPECT_EQ(Events(), expected);
    UnhookWinEvent(hook);
}
