#pragma once

// A backend without a display, for tests and the script driver: a fixed font metric of
// six by thirteen pixels per character (8-point MS Sans Serif at 96 dpi), a queue of input
// events that tests fill, an in-memory clipboard, and a record of what was presented, the
// cursor and the addresses handed to the browser, and the desktop's colour scheme that tests
// set. It never blocks.

#include "platform/backends/backend.h"

#include <deque>
#include <utility>

class HeadlessBackend : public Backend {
  public:
    static constexpr int CharacterWidth = 6;

    FontMetrics font_metrics() const override { return {CharacterWidth, 13, 11}; }
    int text_width(std::string_view text) const override {
        return static_cast<int>(text.size()) * CharacterWidth;
    }

    bool open_window(const WindowSpec& spec) override;
    void close_window() override { m_is_open = false; }
    void set_icon(std::span<const std::uint8_t> ico) override { m_icon_size = ico.size(); }
    void present(const DrawList& frame) override;
    bool wait_event(InputEvent& event, int timeout_ms) override;

    void beep() override {}
    void show_cursor(CursorShape shape) override { m_cursor = shape; }
    void set_clipboard(std::string_view text) override { m_clipboard = std::string(text); }
    std::optional<std::string> clipboard() override { return m_clipboard; }
    void set_primary_selection(std::string_view text) override { m_primary = std::string(text); }
    std::optional<std::string> primary_selection() override { return m_primary; }
    ColourScheme colour_scheme() override { return m_colour_scheme; }
    bool open_url(const std::string&) override { return true; }
    bool save_screenshot(const std::string&) override { return false; }
    std::string error() const override { return m_error; }
    bool waits_for_input() const override { return false; }

    // For tests.
    void push(InputEvent event) { m_events.push_back(std::move(event)); }
    // A clipboard holding something code page 1254 cannot show (nullopt).
    void set_clipboard_contents(std::optional<std::string> contents) {
        m_clipboard = std::move(contents);
    }
    // A PRIMARY selection as another program would offer it; nullopt as for the clipboard.
    void set_primary_selection_contents(std::optional<std::string> contents) {
        m_primary = std::move(contents);
    }
    // The desktop's colour scheme, as the window system reads it next.
    void set_colour_scheme(ColourScheme scheme) { m_colour_scheme = scheme; }
    void fail_to_open(std::string reason) { m_open_failure = std::move(reason); }
    bool is_open() const { return m_is_open; }
    const WindowSpec& window() const { return m_window; }
    CursorShape cursor() const { return m_cursor; }
    int presented_frames() const { return m_presented; }
    std::size_t icon_size() const { return m_icon_size; }

  private:
    std::deque<InputEvent> m_events;
    std::optional<std::string> m_clipboard = std::string();
    std::optional<std::string> m_primary = std::string();
    ColourScheme m_colour_scheme = ColourScheme::Classic;
    std::string m_error;
    std::string m_open_failure;
    WindowSpec m_window;
    bool m_is_open = false;
    CursorShape m_cursor = CursorShape::Arrow;
    int m_presented = 0;
    std::size_t m_icon_size = 0;
};
