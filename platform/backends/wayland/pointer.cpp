#include "platform/backends/wayland/pointer.h"

#include <linux/input-event-codes.h>

#include <cstdlib>
#include <span>

namespace {

WaylandPointer* Of(void* data) {
    return static_cast<WaylandPointer*>(data);
}

const wl_pointer_listener PointerListener = {
    .enter = [](void* data, wl_pointer*, std::uint32_t serial, wl_surface* surface, wl_fixed_t x,
                wl_fixed_t y) { Of(data)->enter(serial, surface, x, y); },
    .leave = [](void* data, wl_pointer*, std::uint32_t,
                wl_surface* surface) { Of(data)->leave(surface); },
    .motion = [](void* data, wl_pointer*, std::uint32_t, wl_fixed_t x,
                 wl_fixed_t y) { Of(data)->motion(x, y); },
    .button = [](void* data, wl_pointer*, std::uint32_t serial, std::uint32_t time,
                 std::uint32_t button,
                 std::uint32_t state) { Of(data)->button(serial, time, button, state); },
    .axis = [](void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {},
};

// The size of the cursor theme at scale 1: the desktop's, else the usual one.
int CursorSize() {
    const char* size = std::getenv("XCURSOR_SIZE");
    const int parsed = size != nullptr ? std::atoi(size) : 0;
    return parsed > 0 ? parsed : 24;
}

// The names themes give each shape, the commonest first.
constexpr const char* ArrowNames[] = {"left_ptr", "default", "arrow"};
constexpr const char* IBeamNames[] = {"xterm", "text", "ibeam"};
constexpr const char* HandNames[] = {"hand2", "pointer", "hand1", "pointing_hand"};

std::span<const char* const> CursorNames(CursorShape shape) {
    switch (shape) {
    case CursorShape::IBeam:
        return IBeamNames;
    case CursorShape::Hand:
        return HandNames;
    default:
        return ArrowNames;
    }
}

} // namespace

WaylandPointer::WaylandPointer(wl_pointer* pointer, wl_compositor* compositor, wl_shm* shm,
                               std::deque<InputEvent>& events)
    : m_pointer(pointer), m_shm(shm), m_events(events),
      m_cursor_surface(wl_compositor_create_surface(compositor)) {
    wl_pointer_add_listener(m_pointer, &PointerListener, this);
}

WaylandPointer::~WaylandPointer() {
    if (wl_pointer_get_version(m_pointer) >= WL_POINTER_RELEASE_SINCE_VERSION)
        wl_pointer_release(m_pointer);
    else
        wl_pointer_destroy(m_pointer);
    wl_surface_destroy(m_cursor_surface);
    if (m_theme != nullptr)
        wl_cursor_theme_destroy(m_theme);
}

void WaylandPointer::set_surface(wl_surface* surface, int scale) {
    m_surface = surface;
    m_scale = scale;
    m_clicks = ClickCounter(4 * scale);
}

void WaylandPointer::show(CursorShape shape) {
    if (shape == m_shape)
        return;
    m_shape = shape;
    if (m_is_inside)
        apply_cursor();
}

void WaylandPointer::apply_cursor() {
    if (m_shape == CursorShape::None) {
        wl_pointer_set_cursor(m_pointer, m_enter_serial, nullptr, 0, 0);
        return;
    }
    if (m_theme == nullptr) {
        m_theme = wl_cursor_theme_load(std::getenv("XCURSOR_THEME"), CursorSize() * m_scale, m_shm);
        if (m_theme == nullptr)
            return;
    }
    wl_cursor* cursor = nullptr;
    for (const char* name : CursorNames(m_shape)) {
        if ((cursor = wl_cursor_theme_get_cursor(m_theme, name)) != nullptr)
            break;
    }
    // A pointer of some shape is better than none at all.
    for (const char* name : CursorNames(CursorShape::Arrow)) {
        if (cursor == nullptr)
            cursor = wl_cursor_theme_get_cursor(m_theme, name);
    }
    if (cursor == nullptr || cursor->image_count == 0)
        return;
    wl_cursor_image* image = cursor->images[0];
    wl_buffer* buffer = wl_cursor_image_get_buffer(image);
    if (buffer == nullptr)
        return;
    wl_pointer_set_cursor(m_pointer, m_enter_serial, m_cursor_surface,
                          static_cast<std::int32_t>(image->hotspot_x) / m_scale,
                          static_cast<std::int32_t>(image->hotspot_y) / m_scale);
    wl_surface_set_buffer_scale(m_cursor_surface, m_scale);
    wl_surface_attach(m_cursor_surface, buffer, 0, 0);
    wl_surface_damage_buffer(m_cursor_surface, 0, 0, static_cast<std::int32_t>(image->width),
                             static_cast<std::int32_t>(image->height));
    wl_surface_commit(m_cursor_surface);
}

void WaylandPointer::place(wl_fixed_t x, wl_fixed_t y) {
    m_x = wl_fixed_to_int(x * m_scale);
    m_y = wl_fixed_to_int(y * m_scale);
}

void WaylandPointer::enter(std::uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
    if (surface == nullptr || surface != m_surface)
        return;
    m_is_inside = true;
    m_enter_serial = serial;
    apply_cursor();
    place(x, y);
    m_events.push_back({.type = InputEvent::Type::MouseMove, .x = m_x, .y = m_y});
}

void WaylandPointer::leave(wl_surface* surface) {
    if (!m_is_inside || surface != m_surface)
        return;
    m_is_inside = false;
    m_events.push_back({.type = InputEvent::Type::MouseLeave});
}

void WaylandPointer::motion(wl_fixed_t x, wl_fixed_t y) {
    if (!m_is_inside)
        return;
    place(x, y);
    m_events.push_back({.type = InputEvent::Type::MouseMove, .x = m_x, .y = m_y});
}

void WaylandPointer::button(std::uint32_t serial, std::uint32_t time, std::uint32_t button,
                            std::uint32_t state) {
    if (!m_is_inside)
        return;
    m_serial = serial;
    MouseButton which;
    switch (button) {
    case BTN_LEFT:
        which = MouseButton::Left;
        break;
    case BTN_RIGHT:
        which = MouseButton::Right;
        break;
    case BTN_MIDDLE:
        which = MouseButton::Middle;
        break;
    default:
        return;
    }
    const bool is_press = state == WL_POINTER_BUTTON_STATE_PRESSED;
    m_events.push_back({.type = is_press ? InputEvent::Type::MouseDown : InputEvent::Type::MouseUp,
                        .x = m_x,
                        .y = m_y,
                        .button = which,
                        .clicks = is_press ? m_clicks.press(button, time, m_x, m_y) : 1});
}
