#include "platform/backends/wayland/wayland_backend.h"

#include "platform/backends/desktop/display_loss.h"
#include "platform/backends/desktop/session_bus.h"
#include "platform/backends/desktop/url_launcher.h"
#include "platform/backends/software/surface_png.h"
#include "platform/backends/wayland/output_scale.h"
#include "platform/text/codepage1254.h"

#include "primary-selection-unstable-v1-client-protocol.h"

#include <libdecor.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// The app id names the desktop entry, kalvetra.desktop, whose name and icon the desktop
// shows for the window.
constexpr const char* AppId = "kalvetra";

// How long the window shows its colours inverted when the bell rings.
constexpr auto FlashTime = std::chrono::milliseconds(150);

// The versions of the globals whose requests and events are used here.
constexpr std::uint32_t CompositorVersion = 4; // wl_surface.damage_buffer
constexpr std::uint32_t SeatVersion = 4;       // wl_keyboard.repeat_info
constexpr std::uint32_t OutputVersion = 2;     // wl_output.scale

WaylandBackend* Of(void* data) {
    return static_cast<WaylandBackend*>(data);
}

const wl_registry_listener RegistryListener = {
    .global = [](void* data, wl_registry*, std::uint32_t name, const char* interface,
                 std::uint32_t version) { Of(data)->add_global(name, interface, version); },
    .global_remove = [](void* data, wl_registry*,
                        std::uint32_t name) { Of(data)->remove_global(name); },
};

const wl_seat_listener SeatListener = {
    .capabilities =
        [](void* data, wl_seat*, std::uint32_t capabilities) {
            Of(data)->set_seat_capabilities(capabilities);
        },
    .name = [](void*, wl_seat*, const char*) {},
};

const wl_output_listener OutputListener = {
    .geometry = [](void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                   std::int32_t, const char*, const char*, std::int32_t) {},
    .mode = [](void*, wl_output*, std::uint32_t, std::int32_t, std::int32_t, std::int32_t) {},
    .done = [](void*, wl_output*) {},
    .scale = [](void* data, wl_output* output,
                std::int32_t scale) { Of(data)->set_output_scale(output, scale); },
};

const wl_callback_listener FrameListener = {
    .done = [](void* data, wl_callback*, std::uint32_t) { Of(data)->frame_done(); },
};

libdecor_interface DecorInterface = {
    .error =
        [](libdecor*, libdecor_error, const char* message) {
            std::fprintf(stderr, "%s: title bar: %s\n", program_invocation_short_name, message);
        },
};

libdecor_frame_interface FrameInterface = {
    .configure = [](libdecor_frame* frame, libdecor_configuration* configuration,
                    void* data) { Of(data)->configure(frame, configuration); },
    .close = [](libdecor_frame*, void* data) { Of(data)->ask_close(); },
    .commit = [](libdecor_frame*, void* data) { Of(data)->commit_content(); },
};

// A selection (the clipboard, PRIMARY) takes code page 1254 text and gives it back; a seat
// without it keeps nothing and gives nothing.
template <class Channel>
void OfferText(Channel* channel, std::string_view text, std::uint32_t serial) {
    if (channel != nullptr)
        channel->offer(CodePage1254ToUtf8(text), serial);
}

template <class Channel> std::optional<std::string> ReadText(Channel* channel) {
    if (channel == nullptr)
        return std::string();
    const std::optional<std::string> utf8 = channel->read();
    return utf8 ? Utf8ToCodePage1254(*utf8) : std::nullopt;
}

} // namespace

WaylandBackend::WaylandBackend() = default;

WaylandBackend::~WaylandBackend() {
    m_ending_signals.stop_delivering();
    // Its helper thread wakes through the eventfd, which goes below.
    m_portal.reset();
    close_window();
    m_clipboard.reset();
    m_primary.reset();
    m_keyboard.reset();
    m_pointer.reset();
    if (m_decor != nullptr)
        libdecor_unref(m_decor);
    for (const Output& output : m_outputs)
        wl_output_destroy(output.output);
    if (m_seat != nullptr)
        wl_seat_destroy(m_seat);
    if (m_data_device_manager != nullptr)
        wl_data_device_manager_destroy(m_data_device_manager);
    if (m_primary_manager != nullptr)
        zwp_primary_selection_device_manager_v1_destroy(m_primary_manager);
    if (m_shm != nullptr)
        wl_shm_destroy(m_shm);
    if (m_compositor != nullptr)
        wl_compositor_destroy(m_compositor);
    if (m_registry != nullptr)
        wl_registry_destroy(m_registry);
    if (m_display != nullptr)
        wl_display_disconnect(m_display);
    if (m_wake_fd >= 0)
        close(m_wake_fd);
    m_painter.reset();
    m_font.reset();
}

// ----- starting -----

void WaylandBackend::add_global(std::uint32_t name, const char* interface, std::uint32_t version) {
    const auto bind = [&](const wl_interface* type, std::uint32_t wanted) {
        return wl_registry_bind(m_registry, name, type, std::min(version, wanted));
    };
    const std::string_view which = interface;
    if (which == wl_compositor_interface.name && version >= CompositorVersion) {
        m_compositor =
            static_cast<wl_compositor*>(bind(&wl_compositor_interface, CompositorVersion));
    } else if (which == wl_shm_interface.name) {
        m_shm = static_cast<wl_shm*>(bind(&wl_shm_interface, 1));
    } else if (which == wl_seat_interface.name && m_seat == nullptr) {
        m_seat = static_cast<wl_seat*>(bind(&wl_seat_interface, SeatVersion));
        wl_seat_add_listener(m_seat, &SeatListener, this);
    } else if (which == wl_output_interface.name) {
        auto* output = static_cast<wl_output*>(bind(&wl_output_interface, OutputVersion));
        wl_output_add_listener(output, &OutputListener, this);
        m_outputs.push_back({name, output});
    } else if (which == wl_data_device_manager_interface.name) {
        m_data_device_manager =
            static_cast<wl_data_device_manager*>(bind(&wl_data_device_manager_interface, 1));
    } else if (which == zwp_primary_selection_device_manager_v1_interface.name) {
        m_primary_manager = static_cast<zwp_primary_selection_device_manager_v1*>(
            bind(&zwp_primary_selection_device_manager_v1_interface, 1));
    }
}

void WaylandBackend::remove_global(std::uint32_t name) {
    const auto gone = std::find_if(m_outputs.begin(), m_outputs.end(),
                                   [name](const Output& output) { return output.name == name; });
    if (gone != m_outputs.end()) {
        wl_output_destroy(gone->output);
        m_outputs.erase(gone);
    }
}

void WaylandBackend::set_output_scale(wl_output* output, int scale) {
    for (Output& known : m_outputs) {
        if (known.output == output)
            known.scale = scale;
    }
}

void WaylandBackend::set_seat_capabilities(std::uint32_t capabilities) {
    const bool has_keyboard = (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
    const bool has_pointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (has_keyboard && m_keyboard == nullptr) {
        m_keyboard = std::make_unique<WaylandKeyboard>(wl_seat_get_keyboard(m_seat), m_events,
                                                       [this] { beep(); });
    } else if (!has_keyboard) {
        m_keyboard.reset();
    }
    if (has_pointer && m_pointer == nullptr) {
        m_pointer = std::make_unique<WaylandPointer>(wl_seat_get_pointer(m_seat), m_compositor,
                                                     m_shm, m_events);
        m_pointer->show(m_cursor);
        if (m_surface != nullptr)
            m_pointer->set_surface(m_surface, m_scale);
    } else if (!has_pointer) {
        m_pointer.reset();
    }
}

bool WaylandBackend::bind_globals() {
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &RegistryListener, this);
    // The first round trip announces the globals, the second what the bound ones tell of
    // themselves: the outputs' scales and the seat's keyboard and pointer.
    if (wl_display_roundtrip(m_display) < 0 || wl_display_roundtrip(m_display) < 0) {
        m_error = "the Wayland display broke off the connection";
        return false;
    }
    if (m_compositor == nullptr || m_shm == nullptr) {
        m_error = "the Wayland compositor offers no wl_compositor 4 or no wl_shm";
        return false;
    }
    if (m_seat != nullptr && m_data_device_manager != nullptr)
        m_clipboard = std::make_unique<Clipboard>(m_display, m_data_device_manager, m_seat);
    if (m_seat != nullptr && m_primary_manager != nullptr)
        m_primary = std::make_unique<PrimarySelection>(m_display, m_primary_manager, m_seat);
    std::vector<int> scales;
    for (const Output& output : m_outputs)
        scales.push_back(output.scale);
    m_scale = BufferScaleFor(scales);
    return true;
}

bool WaylandBackend::connect() {
    if (m_start != Start::NotYet)
        return m_start == Start::Done;
    m_start = Start::Failed;
    // The question goes out first, so that its answer comes while the window is made.
    m_portal = std::make_unique<AppearancePortal>([this] { m_has_appearance_changed = true; });
    m_portal_asked = Clock::now();
    m_display = wl_display_connect(nullptr);
    if (m_display == nullptr) {
        const char* name = std::getenv("WAYLAND_DISPLAY");
        m_error = std::string("cannot connect to the Wayland display \"") +
                  (name != nullptr && *name != '\0' ? name : "wayland-0") +
                  "\": " + std::strerror(errno);
        return false;
    }
    if (!bind_globals())
        return false;
    m_wake_fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    m_ending_signals.start_delivering([this](int signal_number) {
        m_ending_signal = signal_number;
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(m_wake_fd, &one, sizeof one);
    });
    m_url_opener = FindUrlOpener();
    m_font = std::make_unique<InterfaceFont>();
    if (!m_font->load(m_scale)) {
        m_error = m_font->error();
        return false;
    }
    m_start = Start::Done;
    return true;
}

FontMetrics WaylandBackend::font_metrics() const {
    return is_connected() ? m_font->metrics() : FontMetrics{};
}

int WaylandBackend::text_width(std::string_view text) const {
    return is_connected() ? m_font->text_width(text) : 0;
}

// ----- the window -----

bool WaylandBackend::open_window(const WindowSpec& spec) {
    if (!connect())
        return false;
    if (m_surface != nullptr) {
        m_error = "the window is already open";
        return false;
    }
    m_width = spec.width;
    m_height = spec.height;
    const int units_wide = SurfaceUnits(m_width, m_scale);
    const int units_high = SurfaceUnits(m_height, m_scale);
    const int buffer_width = units_wide * m_scale;
    const int buffer_height = units_high * m_scale;
    m_canvas = SDL_CreateRGBSurfaceWithFormat(0, buffer_width, buffer_height, 32,
                                              SDL_PIXELFORMAT_XRGB8888);
    m_buffers = std::make_unique<FrameBuffers>([this] { send_frame(); });
    if (m_canvas == nullptr || !m_buffers->make(m_shm, buffer_width, buffer_height)) {
        m_error = "cannot have shared memory for the window's pictures";
        return false;
    }
    m_painter = std::make_unique<SurfacePainter>(*m_font);

    m_surface = wl_compositor_create_surface(m_compositor);
    wl_surface_set_buffer_scale(m_surface, m_scale);
    if (m_pointer != nullptr)
        m_pointer->set_surface(m_surface, m_scale);
    if (m_decor == nullptr) {
        const NoBusAutolaunch no_autolaunch;
        m_decor = libdecor_new(m_display, &DecorInterface);
    }
    m_frame =
        m_decor != nullptr ? libdecor_decorate(m_decor, m_surface, &FrameInterface, this) : nullptr;
    if (m_frame == nullptr) {
        m_error = "cannot make the window's frame";
        return false;
    }
    libdecor_frame_set_title(m_frame, CodePage1254ToUtf8(spec.title).c_str());
    libdecor_frame_set_app_id(m_frame, AppId);
    // The dialog keeps its size: the compositor may not offer to resize it or fill the
    // screen with it.
    libdecor_frame_set_min_content_size(m_frame, units_wide, units_high);
    libdecor_frame_set_max_content_size(m_frame, units_wide, units_high);
    libdecor_frame_unset_capabilities(
        m_frame,
        static_cast<libdecor_capabilities>(LIBDECOR_ACTION_RESIZE | LIBDECOR_ACTION_FULLSCREEN));
    libdecor_frame_map(m_frame);
    // The compositor says where the window goes before anything may be drawn into it.
    while (!m_is_configured) {
        if (wl_display_dispatch(m_display) < 0) {
            m_error = "the Wayland display broke off the connection";
            return false;
        }
    }
    return true;
}

void WaylandBackend::configure(libdecor_frame* frame, libdecor_configuration* configuration) {
    // Whatever size the compositor suggests, the window keeps its own.
    libdecor_state* state =
        libdecor_state_new(SurfaceUnits(m_width, m_scale), SurfaceUnits(m_height, m_scale));
    libdecor_frame_commit(frame, state, configuration);
    libdecor_state_free(state);
    m_is_configured = true;
    commit_content();
}

void WaylandBackend::ask_close() {
    m_events.push_back({.type = InputEvent::Type::Close});
}

void WaylandBackend::commit_content() {
    // The frame's new state takes effect with the content's next commit; before the first
    // picture there is nothing to commit, and the first picture commits it.
    if (m_is_content_attached)
        wl_surface_commit(m_surface);
}

void WaylandBackend::close_window() {
    if (m_frame_callback != nullptr) {
        wl_callback_destroy(m_frame_callback);
        m_frame_callback = nullptr;
    }
    if (m_frame != nullptr) {
        libdecor_frame_unref(m_frame);
        m_frame = nullptr;
    }
    if (m_surface != nullptr) {
        wl_surface_destroy(m_surface);
        m_surface = nullptr;
        if (m_pointer != nullptr)
            m_pointer->set_surface(nullptr, m_scale);
        wl_display_flush(m_display);
    }
    m_is_configured = false;
    m_is_content_attached = false;
    m_painter.reset();
    m_buffers.reset();
    if (m_canvas != nullptr) {
        SDL_FreeSurface(m_canvas);
        m_canvas = nullptr;
    }
}

void WaylandBackend::set_icon(std::span<const std::uint8_t>) {
    // Wayland has no window icon: the desktop shows the one its entry names for the app id.
}

// ----- drawing -----

void WaylandBackend::present(const DrawList& frame) {
    if (m_surface == nullptr)
        return;
    const PaintedAreas painted = m_painter->paint(m_canvas, frame);
    if (painted.is_whole) {
        m_buffers->mark_all_changed();
    } else {
        for (const PixelRect& area : painted.areas)
            m_buffers->mark_changed(area);
    }
    if (!painted.areas.empty())
        m_has_unsent = true;
    send_frame();
}

void WaylandBackend::send_frame() {
    // One picture a frame of the compositor's: the next waits for the frame callback, and
    // for a buffer the compositor has let go of.
    if (m_surface == nullptr || !m_is_configured || m_frame_callback != nullptr || !m_has_unsent)
        return;
    std::vector<PixelRect> changed;
    const auto colours =
        m_flash_end ? FrameBuffers::Colours::Inverted : FrameBuffers::Colours::AsPainted;
    wl_buffer* buffer = m_buffers->take(m_canvas, colours, changed);
    if (buffer == nullptr)
        return;
    wl_surface_attach(m_surface, buffer, 0, 0);
    for (const PixelRect& area : changed)
        wl_surface_damage_buffer(m_surface, area.x, area.y, area.width, area.height);
    m_frame_callback = wl_surface_frame(m_surface);
    wl_callback_add_listener(m_frame_callback, &FrameListener, this);
    wl_surface_commit(m_surface);
    m_is_content_attached = true;
    m_has_unsent = false;
}

void WaylandBackend::frame_done() {
    wl_callback_destroy(m_frame_callback);
    m_frame_callback = nullptr;
    send_frame();
}

// ----- input -----

void WaylandBackend::take_due(Clock::time_point now) {
    if (m_keyboard != nullptr)
        m_keyboard->repeat(now);
    if (m_flash_end && now >= *m_flash_end) {
        m_flash_end.reset();
        m_has_unsent = true;
        send_frame();
    }
    if (const int signal_number = m_ending_signal.exchange(0); signal_number != 0) {
        ReportEndingSignal(signal_number);
        m_events.push_back({.type = InputEvent::Type::Close});
    }
    if (m_woken.exchange(false))
        m_events.push_back({.type = InputEvent::Type::Wake});
    if (m_portal)
        m_portal->dispatch();
    if (std::exchange(m_has_appearance_changed, false))
        m_events.push_back({.type = InputEvent::Type::Appearance});
}

int WaylandBackend::wait_limit(Clock::time_point now,
                               std::optional<Clock::time_point> deadline) const {
    if (m_keyboard != nullptr) {
        if (const auto repeat = m_keyboard->repeat_deadline())
            deadline = deadline ? std::min(*deadline, *repeat) : *repeat;
    }
    if (m_flash_end)
        deadline = deadline ? std::min(*deadline, *m_flash_end) : *m_flash_end;
    if (!deadline)
        return -1;
    return static_cast<int>(std::max<long long>(
        0, std::chrono::ceil<std::chrono::milliseconds>(*deadline - now).count()));
}

void WaylandBackend::read_display(int wait_ms) {
    while (wl_display_prepare_read(m_display) != 0) {
        if (wl_display_dispatch_pending(m_display) < 0)
            LeaveOnLostDisplay();
    }
    if (wl_display_flush(m_display) < 0 && errno != EAGAIN) {
        wl_display_cancel_read(m_display);
        LeaveOnLostDisplay();
    }
    pollfd waited[2] = {{wl_display_get_fd(m_display), POLLIN, 0}, {m_wake_fd, POLLIN, 0}};
    const int ready = poll(waited, 2, wait_ms);
    if (ready > 0 && (waited[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
        if (wl_display_read_events(m_display) < 0)
            LeaveOnLostDisplay();
    } else {
        wl_display_cancel_read(m_display);
    }
    if (ready > 0 && (waited[1].revents & POLLIN) != 0) {
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t got = read(m_wake_fd, &count, sizeof count);
    }
    if (wl_display_dispatch_pending(m_display) < 0)
        LeaveOnLostDisplay();
}

bool WaylandBackend::wait_event(InputEvent& event, int timeout_ms) {
    if (!connect())
        return false;
    std::optional<Clock::time_point> deadline;
    if (timeout_ms >= 0)
        deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    // The display is read at least once, so that even a caller that does not wait (timeout
    // 0) gets what has come and lets the compositor's frame callbacks through.
    bool has_read = false;
    for (;;) {
        const auto now = Clock::now();
        take_due(now);
        if (!m_events.empty()) {
            event = std::move(m_events.front());
            m_events.pop_front();
            if (event.type == InputEvent::Type::MouseMove ||
                event.type == InputEvent::Type::MouseDown ||
                event.type == InputEvent::Type::MouseUp)
                event.modifiers = m_keyboard != nullptr ? m_keyboard->held() : Modifier::None;
            return true;
        }
        if (has_read && deadline && now >= *deadline)
            return false;
        read_display(wait_limit(now, deadline));
        has_read = true;
    }
}

// ----- desktop services -----

void WaylandBackend::beep() {
    // Wayland has no bell: the window flashes instead.
    if (m_surface == nullptr)
        return;
    m_flash_end = Clock::now() + FlashTime;
    m_has_unsent = true;
    send_frame();
}

// From any thread: the flag says why the loop woke, the eventfd ends its poll.
void WaylandBackend::wake() {
    m_woken = true;
    if (m_wake_fd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(m_wake_fd, &one, sizeof one);
    }
}

ColourScheme WaylandBackend::colour_scheme() {
    if (!connect())
        return ColourScheme::Classic;
    // The first frame waits for the answer at most as long again as start-up has taken
    // since the question; a later answer comes as a change.
    if (!m_has_waited_for_portal) {
        m_has_waited_for_portal = true;
        const auto now = Clock::now();
        m_portal->wait_for_answer(now + (now - m_portal_asked));
        m_portal->follow_changes([this] { wake(); });
    }
    return m_portal->scheme();
}

void WaylandBackend::show_cursor(CursorShape shape) {
    m_cursor = shape;
    if (m_pointer != nullptr)
        m_pointer->show(shape);
}

std::uint32_t WaylandBackend::input_serial() const {
    std::uint32_t serial = 0;
    if (m_keyboard != nullptr)
        serial = m_keyboard->serial();
    if (m_pointer != nullptr)
        serial = std::max(serial, m_pointer->serial());
    return serial;
}

void WaylandBackend::set_clipboard(std::string_view text) {
    OfferText(m_clipboard.get(), text, input_serial());
}

std::optional<std::string> WaylandBackend::clipboard() {
    return ReadText(m_clipboard.get());
}

void WaylandBackend::set_primary_selection(std::string_view text) {
    OfferText(m_primary.get(), text, input_serial());
}

std::optional<std::string> WaylandBackend::primary_selection() {
    return ReadText(m_primary.get());
}

bool WaylandBackend::open_url(const std::string& address) {
    return OpenUrl(m_url_opener, address, m_error);
}

bool WaylandBackend::save_screenshot(const std::string& path) {
    if (m_canvas == nullptr)
        return false;
    // The canvas without what rounding its size up to the scale added.
    SDL_Surface* shown = SDL_CreateRGBSurfaceWithFormatFrom(
        m_canvas->pixels, m_width, m_height, 32, m_canvas->pitch, SDL_PIXELFORMAT_XRGB8888);
    if (shown == nullptr)
        return false;
    const bool written = WriteSurfacePng(shown, path, m_error);
    SDL_FreeSurface(shown);
    return written;
}

std::string WaylandBackend::error() const {
    return m_error;
}
