#include "platform/backends/desktop/click_counter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Press {
    unsigned button;
    std::uint32_t time_ms;
    int x, y;
};

TEST(ClickCounter, TellsDoubleClicksAsWindowsDoes) {
    struct Row {
        const char* why;
        std::vector<Press> presses;
        std::vector<int> expected;
    };
    const Row rows[] = {
        {"two quick presses", {{1, 1000, 10, 10}, {1, 1300, 10, 10}}, {1, 2}},
        {"the third starts over", {{1, 0, 5, 5}, {1, 100, 5, 5}, {1, 200, 5, 5}}, {1, 2, 1}},
        {"and the fourth is a double again",
         {{1, 0, 5, 5}, {1, 100, 5, 5}, {1, 200, 5, 5}, {1, 300, 5, 5}},
         {1, 2, 1, 2}},
        {"just within the time", {{1, 0, 0, 0}, {1, 500, 0, 0}}, {1, 2}},
        {"just too slow", {{1, 0, 0, 0}, {1, 501, 0, 0}}, {1, 1}},
        {"moved within the slack", {{1, 0, 10, 10}, {1, 10, 14, 6}}, {1, 2}},
        {"moved beyond it", {{1, 0, 10, 10}, {1, 10, 15, 10}}, {1, 1}},
        {"another button", {{1, 0, 0, 0}, {3, 10, 0, 0}}, {1, 1}},
        // The display's millisecond clock wraps after 49 days; a run across it still counts.
        {"across the clock's wrap", {{1, 0xFFFFFF00u, 0, 0}, {1, 0x40, 0, 0}}, {1, 2}},
        {"a clock that went back is no double click", {{1, 1000, 0, 0}, {1, 900, 0, 0}}, {1, 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        ClickCounter counter(4);
        std::vector<int> counted;
        for (const Press& press : row.presses)
            counted.push_back(counter.press(press.button, press.time_ms, press.x, press.y));
        EXPECT_EQ(counted, row.expected);
    }
}

} // namespace
