#pragma once

// The calculator (or another SDL program) running on an X server without a window manager,
// driven and watched by a probe as a user's devices and eyes would: it starts the program,
// finds its top-level window (a direct child of the root window that the program's process
// owns), waits for its first frame, clicks and types
// through XTest, moves the keyboard focus, unmaps the window, reports each frame presented
// in it (XDamage) and reads its pixels back. It times nothing and judges nothing; the
// probes do that.

#include "platform/paint/draw_list.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <sys/types.h>

class LiveWindow {
  public:
    using Clock = std::chrono::steady_clock;

    LiveWindow() = default;
    ~LiveWindow();
    LiveWindow(const LiveWindow&) = delete;
    LiveWindow& operator=(const LiveWindow&) = delete;

    // Opens the connection to the X server of DISPLAY. Xvfb starts over, dropping whoever
    // connects meanwhile, whenever its last client leaves: connect before anything else
    // comes and goes.
    bool connect();
    // Starts the program and waits until its window shows a first frame and then stays
    // unchanged for a moment; false with the reason in error(). Connects first if needed.
    bool start(const std::vector<std::string>& command);
    const std::string& error() const { return m_error; }
    pid_t pid() const { return m_pid; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // A user's input, at points of the window's client area. Keys go to wherever the X
    // server's keyboard focus is.
    void click(int x, int y);
    void press_key(KeySym key);
    void release_key(KeySym key);
    void tap_key(KeySym key);
    void tap_keys(std::string_view characters); // digits and lower-case letters
    void flush();

    // The keyboard to the calculator, to another program's window (one the probe opens in
    // a corner of the screen, away from the pointer), or the calculator's window unmapped.
    void give_focus();
    void give_focus_elsewhere();
    void unmap();
    // Moves the window to a point of the screen (there is no window manager to mind).
    void move_to(int x, int y);
    // Covers the window with another one and uncovers it again: the X server then asks the
    // program to draw all of it anew (an expose), without moving the keyboard focus.
    void expose();

    // The next frame: the first damage report on the window since the previous call, or
    // since the last re-arm(). Each report re-arms the damage object at once, so that any
    // drawing after it reports again. nullopt at the deadline, or when the program ended.
    std::optional<Clock::time_point> next_frame(Clock::time_point deadline);
    // Drops the reports waiting, so that the next one comes from drawing after this call.
    void re_arm();
    // Whether a damage report was read from the server and waits in Xlib's queue. The
    // server sends events and replies in order, so after a reply (a pixel read) this tells
    // whether a frame was drawn before the server handled the request.
    bool is_frame_queued();
    // Waits until no frame has come for `quiet`, at most `longest`; returns the frames seen.
    int settle(Clock::duration quiet, Clock::duration longest);

    // The pixels of a rectangle of the window, row by row; empty when they cannot be read.
    std::vector<std::uint32_t> read_pixels(const PixelRect& rect);

    bool is_running();

  private:
    bool wait_for_window(Clock::time_point deadline);
    bool is_window_of_program(Window window);
    bool next_event(XEvent& event, Clock::time_point deadline);
    void move_pointer(int x, int y);
    void terminate();

    std::string m_error;
    Display* m_display = nullptr;
    Window m_root = 0;
    int m_damage_event_base = 0;
    pid_t m_pid = 0;
    Window m_window = 0;
    Damage m_damage = 0;
    Window m_other_window = 0;
    int m_width = 0, m_height = 0;
};
