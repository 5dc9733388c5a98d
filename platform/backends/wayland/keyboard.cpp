#include "platform/backends/wayland/keyboard.h"

#include "platform/backends/wayland/key_mapping.h"
#include "platform/text/codepage1254.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <string>

namespace {

// xkb numbers keys from evdev's codes plus 8.
constexpr std::uint32_t EvdevToXkb = 8;

WaylandKeyboard* Of(void* data) {
    return static_cast<WaylandKeyboard*>(data);
}

const wl_keyboard_listener KeyboardListener = {
    .keymap = [](void* data, wl_keyboard*, std::uint32_t format, std::int32_t fd,
                 std::uint32_t size) { Of(data)->set_keymap(format, fd, size); },
    .enter = [](void* data, wl_keyboard*, std::uint32_t serial, wl_surface*,
                wl_array*) { Of(data)->enter(serial); },
    .leave = [](void* data, wl_keyboard*, std::uint32_t serial,
                wl_surface*) { Of(data)->leave(serial); },
    .key = [](void* data, wl_keyboard*, std::uint32_t serial, std::uint32_t, std::uint32_t key,
              std::uint32_t state) { Of(data)->key(serial, key, state); },
    .modifiers =
        [](void* data, wl_keyboard*, std::uint32_t serial, std::uint32_t depressed,
           std::uint32_t latched, std::uint32_t locked, std::uint32_t group) {
            Of(data)->set_modifiers(serial, depressed, latched, locked, group);
        },
    .repeat_info = [](void* data, wl_keyboard*, std::int32_t rate,
                      std::int32_t delay) { Of(data)->set_repeat(rate, delay); },
};

} // namespace

WaylandKeyboard::WaylandKeyboard(wl_keyboard* keyboard, std::deque<InputEvent>& events,
                                 std::function<void()> refused)
    : m_keyboard(keyboard), m_events(events), m_refused(std::move(refused)),
      m_context(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {
    wl_keyboard_add_listener(m_keyboard, &KeyboardListener, this);
}

WaylandKeyboard::~WaylandKeyboard() {
    if (wl_keyboard_get_version(m_keyboard) >= WL_KEYBOARD_RELEASE_SINCE_VERSION)
        wl_keyboard_release(m_keyboard);
    else
        wl_keyboard_destroy(m_keyboard);
    xkb_state_unref(m_state);
    xkb_keymap_unref(m_keymap);
    xkb_context_unref(m_context);
}

void WaylandKeyboard::set_keymap(std::uint32_t format, int fd, std::uint32_t size) {
    if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 || m_context == nullptr) {
        close(fd);
        return;
    }
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (text == MAP_FAILED)
        return;
    // The text ends with a zero byte, which size counts.
    xkb_keymap* keymap = xkb_keymap_new_from_buffer(
        m_context, static_cast<const char*>(text), size > 0 ? size - 1 : 0,
        XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    munmap(text, size);
    if (keymap == nullptr)
        return;
    xkb_state_unref(m_state);
    xkb_keymap_unref(m_keymap);
    m_keymap = keymap;
    m_state = xkb_state_new(keymap);
}

void WaylandKeyboard::enter(std::uint32_t serial) {
    m_serial = serial;
    m_events.push_back({.type = InputEvent::Type::FocusChange, .focused = true});
}

void WaylandKeyboard::leave(std::uint32_t serial) {
    m_serial = serial;
    m_repeating.reset();
    m_events.push_back({.type = InputEvent::Type::FocusChange, .focused = false});
}

void WaylandKeyboard::push_key(xkb_keycode_t keycode, bool is_press) {
    const xkb_keysym_t symbol = xkb_state_key_get_one_sym(m_state, keycode);
    if (const auto virtual_key = VirtualKeyForKeysym(symbol, keycode)) {
        m_events.push_back({.type = is_press ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp,
                            .key = *virtual_key,
                            .modifiers = ModifiersFor(m_state)});
    }
    if (!is_press)
        return;
    char utf8[64];
    xkb_state_key_get_utf8(m_state, keycode, utf8, sizeof utf8);
    // Control characters (Ctrl with a letter, Enter, Tab, Backspace) are keys, not text.
    const auto first = static_cast<unsigned char>(utf8[0]);
    if (first < 0x20 || first == 0x7F)
        return;
    std::optional<std::string> text = Utf8ToCodePage1254(utf8);
    if (!text) {
        // A character the code page lacks is refused as a whole, never replaced.
        m_refused();
        return;
    }
    m_events.push_back({.type = InputEvent::Type::Text,
                        .modifiers = ModifiersFor(m_state),
                        .text = std::move(*text)});
}

void WaylandKeyboard::key(std::uint32_t serial, std::uint32_t key, std::uint32_t state) {
    m_serial = serial;
    if (m_state == nullptr)
        return;
    const xkb_keycode_t keycode = key + EvdevToXkb;
    const bool is_press = state == WL_KEYBOARD_KEY_STATE_PRESSED;
    push_key(keycode, is_press);
    if (is_press && m_repeats && xkb_keymap_key_repeats(m_keymap, keycode)) {
        m_repeating = keycode;
        m_next_repeat = Clock::now() + m_repeat_delay;
    } else if (!is_press && m_repeating == keycode) {
        m_repeating.reset();
    }
}

void WaylandKeyboard::set_modifiers(std::uint32_t serial, std::uint32_t depressed,
                                    std::uint32_t latched, std::uint32_t locked,
                                    std::uint32_t group) {
    m_serial = serial;
    if (m_state != nullptr)
        xkb_state_update_mask(m_state, depressed, latched, locked, 0, 0, group);
}

void WaylandKeyboard::set_repeat(std::int32_t rate, std::int32_t delay) {
    m_repeats = rate > 0;
    if (!m_repeats) {
        m_repeating.reset();
        return;
    }
    m_repeat_period = std::chrono::milliseconds(std::max(1, 1000 / rate));
    m_repeat_delay = std::chrono::milliseconds(std::max(0, delay));
}

std::optional<WaylandKeyboard::Clock::time_point> WaylandKeyboard::repeat_deadline() const {
    if (!m_repeating)
        return std::nullopt;
    return m_next_repeat;
}

void WaylandKeyboard::repeat(Clock::time_point now) {
    if (!m_repeating || now < m_next_repeat)
        return;
    // One key a call: a program that was held up goes on at the rate, without a burst of the
    // keys it missed.
    push_key(*m_repeating, true);
    m_next_repeat += m_repeat_period;
    if (m_next_repeat <= now)
        m_next_repeat = now + m_repeat_period;
}
