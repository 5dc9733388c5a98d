#pragma once

// The seat's keyboard: the compositor's keymap compiled by xkbcommon, keys turned into
// KeyDown and KeyUp events with Windows virtual-key codes and the characters they type into
// Text events of code page 1254, the keyboard focus into FocusChange, and key repeat done
// here at the rate the compositor gives, since Wayland leaves it to the program. Waiting for
// the next repeat is the backend's: it asks repeat_deadline() and calls repeat().

#include "platform/backends/backend.h"
#include "platform/backends/wayland/key_mapping.h"

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

class WaylandKeyboard {
  public:
    using Clock = std::chrono::steady_clock;

    // Events go to `events`; a typed character the code page lacks calls `refused`.
    WaylandKeyboard(wl_keyboard* keyboard, std::deque<InputEvent>& events,
                    std::function<void()> refused);
    ~WaylandKeyboard();
    WaylandKeyboard(const WaylandKeyboard&) = delete;
    WaylandKeyboard& operator=(const WaylandKeyboard&) = delete;

    // The modifiers held now.
    Modifier held() const { return m_state != nullptr ? ModifiersFor(m_state) : Modifier::None; }
    // The serial of the last key or focus event, which a selection is offered with.
    std::uint32_t serial() const { return m_serial; }
    // When the held key repeats next; nullopt while none repeats.
    std::optional<Clock::time_point> repeat_deadline() const;
    // Repeats the held key as often as it was due by now.
    void repeat(Clock::time_point now);

    // ^wl_keyboard_listener
    void set_keymap(std::uint32_t format, int fd, std::uint32_t size);
    void enter(std::uint32_t serial);
    void leave(std::uint32_t serial);
    void key(std::uint32_t serial, std::uint32_t key, std::uint32_t state);
    void set_modifiers(std::uint32_t serial, std::uint32_t depressed, std::uint32_t latched,
                       std::uint32_t locked, std::uint32_t group);
    void set_repeat(std::int32_t rate, std::int32_t delay);

  private:
    // KeyDown (or KeyUp) for an xkb key code, and on a press the text it types.
    void push_key(xkb_keycode_t keycode, bool is_press);

    wl_keyboard* m_keyboard;
    std::deque<InputEvent>& m_events;
    std::function<void()> m_refused;
    xkb_context* m_context = nullptr;
    xkb_keymap* m_keymap = nullptr;
    xkb_state* m_state = nullptr;
    std::uint32_t m_serial = 0;

    // Key repeat as the compositor sets it: 25 a second after 600 ms unless told otherwise.
    std::chrono::milliseconds m_repeat_delay{600};
    std::chrono::milliseconds m_repeat_period{40};
    bool m_repeats = true;
    std::optional<xkb_keycode_t> m_repeating;
    Clock::time_point m_next_repeat;
};
