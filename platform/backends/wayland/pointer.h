#pragma once

// The seat's pointer over the window: motion, presses and releases of the left, right and
// middle buttons (a quick second press a double click) and leaving, in the window's pixels,
// which are the compositor's surface coordinates times the buffer scale; and the cursor's
// shape, from the desktop's cursor theme at that scale. Events over surfaces that are not
// the window's content (libdecor's title bar) are its plugin's. The modifiers held are the
// keyboard's to tell.

#include "platform/backends/backend.h"
#include "platform/backends/desktop/click_counter.h"

#include <wayland-client.h>
#include <wayland-cursor.h>

#include <cstdint>
#include <deque>

class WaylandPointer {
  public:
    WaylandPointer(wl_pointer* pointer, wl_compositor* compositor, wl_shm* shm,
                   std::deque<InputEvent>& events);
    ~WaylandPointer();
    WaylandPointer(const WaylandPointer&) = delete;
    WaylandPointer& operator=(const WaylandPointer&) = delete;

    // The window's content surface and its buffer scale, from when it is made.
    void set_surface(wl_surface* surface, int scale);
    // The cursor over the window from now on; shown at once if the pointer is there.
    void show(CursorShape shape);
    // The serial of the last press or release, which a selection is offered with.
    std::uint32_t serial() const { return m_serial; }

    // ^wl_pointer_listener
    void enter(std::uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y);
    void leave(wl_surface* surface);
    void motion(wl_fixed_t x, wl_fixed_t y);
    void button(std::uint32_t serial, std::uint32_t time, std::uint32_t button,
                std::uint32_t state);

  private:
    void apply_cursor();
    void place(wl_fixed_t x, wl_fixed_t y);

    wl_pointer* m_pointer;
    wl_shm* m_shm;
    std::deque<InputEvent>& m_events;
    wl_surface* m_surface = nullptr; // the window's content
    int m_scale = 1;
    bool m_is_inside = false;
    std::uint32_t m_enter_serial = 0;
    std::uint32_t m_serial = 0;
    int m_x = 0, m_y = 0;
    ClickCounter m_clicks{4};

    CursorShape m_shape = CursorShape::Arrow;
    wl_cursor_theme* m_theme = nullptr;
    wl_surface* m_cursor_surface;
};
