#pragma once

// The display backend for a Wayland session: one fixed-size window drawn in software into
// shared memory buffers of our own (no SDL video, no EGL), at the scale of the compositor's
// outputs so that text is crisp at 2x; a title bar from libdecor where the compositor draws
// none; the keyboard through xkbcommon, with key repeat; the pointer with the desktop's
// cursors; the clipboard and the PRIMARY selection; a flash of the window for the bell, since
// Wayland has none. The signals that ask the program to end arrive as the window's close. It
// renders the draw lists it is given and knows nothing of windows, messages or controls.

#include "platform/backends/backend.h"
#include "platform/backends/desktop/appearance_portal.h"
#include "platform/backends/desktop/ending_signals.h"
#include "platform/backends/software/interface_font.h"
#include "platform/backends/software/surface_painter.h"
#include "platform/backends/wayland/frame_buffers.h"
#include "platform/backends/wayland/keyboard.h"
#include "platform/backends/wayland/pointer.h"
#include "platform/backends/wayland/selections.h"

#include <SDL.h>
#include <wayland-client.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct libdecor;
struct libdecor_frame;
struct libdecor_configuration;

class WaylandBackend : public Backend {
  public:
    WaylandBackend();
    ~WaylandBackend() override;
    WaylandBackend(const WaylandBackend&) = delete;
    WaylandBackend& operator=(const WaylandBackend&) = delete;

    // Connects to the compositor and loads the font at its scale, once; false with the reason
    // in error() when there is no compositor to connect to or it lacks what a window needs.
    bool connect();

    // ^Backend
    FontMetrics font_metrics() const override;
    int text_width(std::string_view text) const override;
    bool open_window(const WindowSpec& spec) override;
    void close_window() override;
    void set_icon(std::span<const std::uint8_t> ico) override;
    void present(const DrawList& frame) override;
    bool wait_event(InputEvent& event, int timeout_ms) override;
    void beep() override;
    void wake() override;
    ColourScheme colour_scheme() override;
    void show_cursor(CursorShape shape) override;
    void set_clipboard(std::string_view text) override;
    std::optional<std::string> clipboard() override;
    void set_primary_selection(std::string_view text) override;
    std::optional<std::string> primary_selection() override;
    bool open_url(const std::string& address) override;
    bool save_screenshot(const std::string& path) override;
    std::string error() const override;

    // ^wl_registry_listener, wl_seat_listener, wl_output_listener
    void add_global(std::uint32_t name, const char* interface, std::uint32_t version);
    void remove_global(std::uint32_t name);
    void set_seat_capabilities(std::uint32_t capabilities);
    void set_output_scale(wl_output* output, int scale);
    // ^libdecor_frame_interface
    void configure(libdecor_frame* frame, libdecor_configuration* configuration);
    void ask_close();
    void commit_content();
    // ^wl_callback_listener of the frame callback, and the buffers' release
    void frame_done();
    void send_frame();

  private:
    using Clock = std::chrono::steady_clock;
    struct Output {
        std::uint32_t name;
        wl_output* output;
        int scale = 1;
    };

    // connect() for the measuring calls: connecting changes nothing that they answer from.
    bool is_connected() const { return const_cast<WaylandBackend*>(this)->connect(); }
    bool bind_globals();
    // Takes what is due by now: a key repeat, the end of a flash, an ending signal, a wake,
    // what the portal said.
    void take_due(Clock::time_point now);
    // Milliseconds until the next thing due or the caller's deadline, whichever is first;
    // -1 for none.
    int wait_limit(Clock::time_point now, std::optional<Clock::time_point> deadline) const;
    // Reads and dispatches what the compositor sent within wait_ms; leaves on a lost display.
    void read_display(int wait_ms);
    // The serial of the user's latest key or click, to offer a selection with.
    std::uint32_t input_serial() const;

    enum class Start { NotYet, Done, Failed };
    Start m_start = Start::NotYet;
    std::string m_error;
    EndingSignals m_ending_signals;
    std::atomic<int> m_ending_signal = 0;
    // An eventfd that other threads write to wake wait_event, and why they woke it.
    std::atomic<int> m_wake_fd = -1;
    std::atomic<bool> m_woken = false;
    // The desktop's colours, asked as the connection starts and followed afterwards.
    std::unique_ptr<AppearancePortal> m_portal;
    Clock::time_point m_portal_asked;
    bool m_has_waited_for_portal = false;
    bool m_has_appearance_changed = false;
    std::optional<std::string> m_url_opener;
    std::unique_ptr<InterfaceFont> m_font;

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    wl_compositor* m_compositor = nullptr;
    wl_shm* m_shm = nullptr;
    wl_seat* m_seat = nullptr;
    wl_data_device_manager* m_data_device_manager = nullptr;
    zwp_primary_selection_device_manager_v1* m_primary_manager = nullptr;
    std::vector<Output> m_outputs;
    int m_scale = 1;

    std::deque<InputEvent> m_events;
    std::unique_ptr<WaylandKeyboard> m_keyboard;
    std::unique_ptr<WaylandPointer> m_pointer;
    std::unique_ptr<Clipboard> m_clipboard;
    std::unique_ptr<PrimarySelection> m_primary;

    libdecor* m_decor = nullptr;
    libdecor_frame* m_frame = nullptr;
    wl_surface* m_surface = nullptr;
    bool m_is_configured = false;
    bool m_is_content_attached = false;
    int m_width = 0, m_height = 0;   // the window's size in pixels
    SDL_Surface* m_canvas = nullptr; // what the window shows, painted once
    std::unique_ptr<SurfacePainter> m_painter;
    std::unique_ptr<FrameBuffers> m_buffers;
    wl_callback* m_frame_callback = nullptr;
    bool m_has_unsent = false; // the canvas changed since the last buffer went out
    std::optional<Clock::time_point> m_flash_end;
    CursorShape m_cursor = CursorShape::Arrow;
};
