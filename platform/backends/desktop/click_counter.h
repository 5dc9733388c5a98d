#pragma once

// Tells a double click from two single ones, for a display that reports only presses:
// the second press of the same button within the double-click time and a few pixels of
// the first is a double click, and the press after a double click starts over with a single
// one, as on Windows. Where the presses go is the backend's.

#include <cstdint>
#include <cstdlib>

class ClickCounter {
  public:
    // The room for the second press around the first, in pixels (4 at scale 1).
    explicit ClickCounter(int slack) : m_slack(slack) {}

    // 1 for a single click, 2 for a double click. time_ms is the display's clock in
    // milliseconds, which may wrap around; button is any number that tells buttons apart.
    int press(unsigned button, std::uint32_t time_ms, int x, int y) {
        const bool is_double = m_last_clicks == 1 && button == m_button &&
                               time_ms - m_time_ms <= DoubleClickTimeMs &&
                               std::abs(x - m_x) <= m_slack && std::abs(y - m_y) <= m_slack;
        m_last_clicks = is_double ? 2 : 1;
        m_button = button;
        m_time_ms = time_ms;
        m_x = x;
        m_y = y;
        return m_last_clicks;
    }

    static constexpr std::uint32_t DoubleClickTimeMs = 500;

  private:
    int m_slack;
    int m_last_clicks = 0;
    unsigned m_button = 0;
    std::uint32_t m_time_ms = 0;
    int m_x = 0, m_y = 0;
};
