#include "platform/backends/sdl/sdl_backend.h"

#include "platform/backends/desktop/appearance_portal.h"
#include "platform/backends/desktop/session_bus.h"
#include "platform/backends/desktop/url_launcher.h"
#include "platform/backends/sdl/desktop_scale.h"
#include "platform/backends/sdl/icon_image.h"
#include "platform/backends/sdl/key_mapping.h"
#include "platform/backends/sdl/net_wm_icon.h"
#include "platform/backends/sdl/x11_clipboard.h"
#include "platform/backends/sdl/x11_desktop_dpi.h"
#include "platform/backends/sdl/x11_display.h"
#include "platform/backends/software/surface_png.h"
#include "platform/text/codepage1254.h"

#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

std::string LastSdlError(const char* what) {
    return std::string(what) + ": " + SDL_GetError();
}

// The desktop's scale, 1 where no desktop says.
float DesktopScale() {
    return ScaleForDpi(X11DesktopDpi().value_or(ClassicDpi));
}

} // namespace

SdlBackend::SdlBackend(IconPictures icon_sizes) : m_icon_sizes(std::move(icon_sizes)) {}

SdlBackend::~SdlBackend() {
    m_ending_signals.stop_delivering();
    close_window();
    m_painter.reset();
    for (SDL_Cursor* cursor : {m_arrow, m_ibeam, m_hand}) {
        if (cursor != nullptr)
            SDL_FreeCursor(cursor);
    }
    m_font.reset();
    m_portal.reset();
    if (m_start != Start::NotYet)
        SDL_Quit();
}

bool SdlBackend::start() const {
    if (m_start != Start::NotYet)
        return m_start == Start::Done;
    m_start = Start::Failed;
    // The question goes out first, so that its answer comes while SDL and the font start.
    m_portal = std::make_unique<AppearancePortal>([this] {
        SDL_Event event{};
        event.type = m_appearance_event;
        if (event.type != 0)
            SDL_PushEvent(&event);
    });
    m_portal_asked = std::chrono::steady_clock::now();
    // An X display (the bell and the loss of the display need one), unless SDL_VIDEODRIVER
    // asks for another. Software drawing on the window surface only; the calculator is a
    // normal desktop window that neither bypasses the compositor nor keeps the screen saver
    // away.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // The window's close already arrives as its own event. The signals that end a program
    // are EndingSignals', which tells them apart.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    int started = 0;
    {
        const NoBusAutolaunch no_autolaunch;
        started = SDL_Init(SDL_INIT_VIDEO);
    }
    if (started != 0) {
        const char* display = std::getenv("DISPLAY");
        m_error =
            display == nullptr || *display == '\0'
                ? std::string("cannot open a window: no X display (DISPLAY is not set)")
                : "cannot open the X display \"" + std::string(display) + "\": " + SDL_GetError();
        return false;
    }
    ExitOnDisplayLoss();
    if (const Uint32 type = SDL_RegisterEvents(1); type != static_cast<Uint32>(-1)) {
        m_signal_event_type = type;
        m_ending_signals.start_delivering([type](int signal_number) {
            SDL_Event event{};
            event.type = type;
            event.user.code = signal_number;
            SDL_PushEvent(&event);
        });
    }
    if (const Uint32 registered = SDL_RegisterEvents(1); registered != static_cast<Uint32>(-1))
        m_appearance_event = registered;
    m_url_opener = FindUrlOpener();
    if (const Uint32 registered = SDL_RegisterEvents(1); registered != static_cast<Uint32>(-1))
        m_wake_event = registered;
    m_font = std::make_unique<InterfaceFont>();
    if (!m_font->load(DesktopScale())) {
        m_error = m_font->error();
        return false;
    }
    m_start = Start::Done;
    return true;
}

FontMetrics SdlBackend::font_metrics() const {
    return start() ? m_font->metrics() : FontMetrics{};
}

int SdlBackend::text_width(std::string_view text) const {
    return start() ? m_font->text_width(text) : 0;
}

bool SdlBackend::open_window(const WindowSpec& spec) {
    if (!start())
        return false;
    if (m_window != nullptr) {
        m_error = "the window is already open";
        return false;
    }
    m_window = SDL_CreateWindow(CodePage1254ToUtf8(spec.title).c_str(), SDL_WINDOWPOS_CENTERED,
                                SDL_WINDOWPOS_CENTERED, spec.width, spec.height, SDL_WINDOW_HIDDEN);
    if (m_window == nullptr) {
        m_error = LastSdlError("cannot create the window");
        return false;
    }
    m_width = spec.width;
    m_height = spec.height;
    if (!spec.icon.empty())
        set_icon(spec.icon);
    SDL_ShowWindow(m_window);
    SDL_StartTextInput();
    return true;
}

void SdlBackend::close_window() {
    if (m_window == nullptr)
        return;
    m_clipboard_reader.reset();
    // An answer SDL sent to a clipboard reader that has quit comes back as an error. It is
    // taken now, while the handler that drops such errors is in place: SDL_Quit puts Xlib's
    // own back before its last round trip, and that one would end the program for it.
    SyncDisplay(m_window);
    SDL_StopTextInput();
    SDL_DestroyWindow(m_window);
    m_window = nullptr;
    if (m_painter != nullptr)
        m_painter->forget_shown();
}

void SdlBackend::set_icon(std::span<const std::uint8_t> ico) {
    if (m_window == nullptr)
        return;
    // Every size of the icon, on X11, goes to the window after its first frame: the window
    // manager takes it up whenever it comes, and a few milliseconds of decoding pictures
    // need not keep the window empty.
    if (!m_icon_sizes.empty() && X11DisplayName(m_window)) {
        m_are_icons_pending = true;
        return;
    }
    SDL_Surface* icon = DecodeIcon(ico);
    if (icon == nullptr)
        return;
    SDL_SetWindowIcon(m_window, icon);
    SDL_FreeSurface(icon);
}

// ----- drawing -----

bool SdlBackend::keep_fixed_size() {
    int width = 0, height = 0;
    SDL_GetWindowSize(m_window, &width, &height);
    if (width == m_width && height == m_height)
        return true;
    SDL_SetWindowSize(m_window, m_width, m_height);
    SDL_GetWindowSize(m_window, &width, &height);
    return width == m_width && height == m_height;
}

void SdlBackend::present(const DrawList& frame) {
    if (m_window == nullptr)
        return;
    // The window surface is as large as the window: it is taken only at the window's own
    // size, never at one that the display asked for.
    if (!keep_fixed_size())
        return;
    SDL_Surface* target = SDL_GetWindowSurface(m_window);
    if (target == nullptr) {
        m_error = LastSdlError("cannot draw into the window");
        return;
    }
    if (m_painter == nullptr)
        m_painter = std::make_unique<SurfacePainter>(*m_font);
    const PaintedAreas painted = m_painter->paint(target, frame);
    if (painted.is_whole) {
        SDL_UpdateWindowSurface(m_window);
    } else if (!painted.areas.empty()) {
        std::vector<SDL_Rect> rects;
        for (const PixelRect& area : painted.areas)
            rects.push_back({area.x, area.y, area.width, area.height});
        SDL_UpdateWindowSurfaceRects(m_window, rects.data(), static_cast<int>(rects.size()));
    }
    if (m_are_icons_pending) {
        m_are_icons_pending = false;
        SetNetWmIcon(m_window, NetWmIcon(m_icon_sizes));
        // Start-up's one-off buffers, the icons' pixels at every size the largest of them, are
        // freed by now; glibc keeps freed heap for later unless asked to give it back.
        malloc_trim(0);
    }
}

// ----- input -----

bool SdlBackend::wait_event(InputEvent& event, int timeout_ms) {
    if (!start())
        return false;
    const Uint64 deadline = SDL_GetTicks64() + static_cast<Uint64>(std::max(timeout_ms, 0));
    for (;;) {
        // What the portal said while the loop was busy; its helper wakes this wait for more.
        m_portal->dispatch();
        SDL_Event sdl_event;
        int got;
        if (timeout_ms < 0) {
            got = SDL_WaitEvent(&sdl_event);
        } else {
            const Uint64 now = SDL_GetTicks64();
            const int remaining = now >= deadline ? 0 : static_cast<int>(deadline - now);
            got = SDL_WaitEventTimeout(&sdl_event, remaining);
        }
        if (!got)
            return false;
        event = InputEvent{};
        // Events that mean nothing here are passed over, and the wait goes on.
        if (translate(sdl_event, event))
            return true;
    }
}

bool SdlBackend::translate(const SDL_Event& sdl_event, InputEvent& event) {
    using Type = InputEvent::Type;
    if (sdl_event.type == m_signal_event_type && sdl_event.type != 0) {
        ReportEndingSignal(sdl_event.user.code);
        event.type = Type::Close;
        return true;
    }
    if (m_wake_event != 0 && sdl_event.type == m_wake_event) {
        event.type = Type::Wake;
        return true;
    }
    if (sdl_event.type == m_appearance_event && sdl_event.type != 0) {
        event.type = Type::Appearance;
        return true;
    }
    switch (sdl_event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const auto key = VirtualKeyFor(sdl_event.key.keysym);
        if (!key)
            return false;
        event.type = sdl_event.type == SDL_KEYDOWN ? Type::KeyDown : Type::KeyUp;
        event.key = *key;
        event.modifiers = ModifiersFor(sdl_event.key.keysym.mod);
        return true;
    }
    case SDL_TEXTINPUT: {
        // A character the code page lacks is refused as a whole, never replaced.
        auto text = Utf8ToCodePage1254(sdl_event.text.text);
        if (!text) {
            beep();
            return false;
        }
        event.type = Type::Text;
        event.text = std::move(*text);
        event.modifiers = ModifiersFor(SDL_GetModState());
        return true;
    }
    case SDL_MOUSEMOTION:
        event.type = Type::MouseMove;
        event.x = sdl_event.motion.x;
        event.y = sdl_event.motion.y;
        event.modifiers = ModifiersFor(SDL_GetModState());
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const Uint8 button = sdl_event.button.button;
        if (button != SDL_BUTTON_LEFT && button != SDL_BUTTON_RIGHT && button != SDL_BUTTON_MIDDLE)
            return false;
        event.type = sdl_event.type == SDL_MOUSEBUTTONDOWN ? Type::MouseDown : Type::MouseUp;
        event.x = sdl_event.button.x;
        event.y = sdl_event.button.y;
        event.button = button == SDL_BUTTON_LEFT    ? MouseButton::Left
                       : button == SDL_BUTTON_RIGHT ? MouseButton::Right
                                                    : MouseButton::Middle;
        // As on Windows, the second click of a quick run is a double click and the third
        // starts over with a single one.
        event.clicks = sdl_event.button.clicks % 2 == 0 ? 2 : 1;
        event.modifiers = ModifiersFor(SDL_GetModState());
        return true;
    }
    case SDL_QUIT: // the desktop asks the program to end
        event.type = Type::Close;
        return true;
    case SDL_WINDOWEVENT:
        switch (sdl_event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            event.type = Type::Close;
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            // Without a window manager any program can resize the window, to any size.
            keep_fixed_size();
            forget_shown();
            event.type = Type::Expose;
            return true;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESTORED:
            forget_shown();
            event.type = Type::Expose;
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            event.type = Type::FocusChange;
            event.focused = sdl_event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
            return true;
        case SDL_WINDOWEVENT_LEAVE:
            event.type = Type::MouseLeave;
            return true;
        default:
            return false;
        }
    default:
        return false;
    }
}

// ----- desktop services -----

void SdlBackend::beep() {
    RingDisplayBell(m_window);
}

void SdlBackend::show_cursor(CursorShape shape) {
    if (!start())
        return;
    if (!m_cursors_made) {
        m_cursors_made = true;
        m_arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
        m_ibeam = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_IBEAM);
        m_hand = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
    }
    if (shape == CursorShape::None) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_Cursor* cursor = shape == CursorShape::IBeam  ? m_ibeam
                         : shape == CursorShape::Hand ? m_hand
                                                      : m_arrow;
    // A pointer of some shape is better than none at all.
    if (cursor == nullptr)
        cursor = m_arrow;
    if (cursor != nullptr)
        SDL_SetCursor(cursor);
    SDL_ShowCursor(SDL_ENABLE);
}

ColourScheme SdlBackend::colour_scheme() {
    if (!start())
        return ColourScheme::Classic;
    // The first frame waits for the answer at most as long again as start-up has taken
    // since the question: a running portal has answered long before, one that the bus must
    // start first may not have, and its answer then comes as a change.
    if (!m_has_waited_for_portal) {
        m_has_waited_for_portal = true;
        const auto now = std::chrono::steady_clock::now();
        m_portal->wait_for_answer(now + (now - m_portal_asked));
        m_portal->follow_changes([this] { wake(); });
    }
    return m_portal->scheme();
}

X11ClipboardReader* SdlBackend::clipboard_reader() {
    if (m_clipboard_reader == nullptr && m_window != nullptr) {
        if (const std::optional<std::string> display = X11DisplayName(m_window))
            m_clipboard_reader = std::make_unique<X11ClipboardReader>(display->c_str());
    }
    return m_clipboard_reader != nullptr && m_clipboard_reader->is_connected()
               ? m_clipboard_reader.get()
               : nullptr;
}

void SdlBackend::set_selection(X11Selection selection, std::string_view text) {
    if (!start())
        return;
    const std::string utf8 = CodePage1254ToUtf8(text);
    const int set = selection == X11Selection::Primary ? SDL_SetPrimarySelectionText(utf8.c_str())
                                                       : SDL_SetClipboardText(utf8.c_str());
    if (set != 0) {
        m_error = LastSdlError("cannot set the selection");
        return;
    }
    if (X11ClipboardReader* reader = clipboard_reader()) {
        // SDL's request to own the selection must have reached the display before the
        // reader, on a connection of its own, asks who owns it.
        SyncDisplay(m_window);
        reader->note_sdl_owner(selection);
    }
}

std::optional<std::string> SdlBackend::selection(X11Selection selection) {
    if (!start())
        return std::nullopt;
    if (X11ClipboardReader* reader = clipboard_reader()) {
        SelectionRead read = reader->read(selection);
        if (read.outcome == SelectionRead::Outcome::Text)
            return Utf8ToCodePage1254(read.utf8);
        if (read.outcome == SelectionRead::Outcome::Unanswered)
            return std::nullopt;
    }
    // SDL's own copy, or a display other than X11.
    char* utf8 =
        selection == X11Selection::Primary ? SDL_GetPrimarySelectionText() : SDL_GetClipboardText();
    if (utf8 == nullptr)
        return std::string();
    std::optional<std::string> text = Utf8ToCodePage1254(utf8);
    SDL_free(utf8);
    return text;
}

void SdlBackend::set_clipboard(std::string_view text) {
    set_selection(X11Selection::Clipboard, text);
}

std::optional<std::string> SdlBackend::clipboard() {
    return selection(X11Selection::Clipboard);
}

void SdlBackend::set_primary_selection(std::string_view text) {
    set_selection(X11Selection::Primary, text);
}

std::optional<std::string> SdlBackend::primary_selection() {
    return selection(X11Selection::Primary);
}

bool SdlBackend::open_url(const std::string& address) {
    return OpenUrl(m_url_opener, address, m_error);
}

bool SdlBackend::save_screenshot(const std::string& path) {
    if (m_window == nullptr)
        return false;
    SDL_Surface* shown = SDL_GetWindowSurface(m_window);
    if (shown == nullptr)
        return false;
    return WriteSurfacePng(shown, path, m_error);
}

std::string SdlBackend::error() const {
    return m_error;
}

// SDL's event queue takes events from any thread, and its wait wakes for them.
void SdlBackend::wake() {
    if (m_wake_event == 0)
        return;
    SDL_Event event{};
    event.type = m_wake_event;
    SDL_PushEvent(&event);
}

std::optional<PixelRect> SdlBackend::window_on_screen() const {
    if (m_window == nullptr)
        return std::nullopt;
    PixelRect rect;
    SDL_GetWindowPosition(m_window, &rect.x, &rect.y);
    SDL_GetWindowSize(m_window, &rect.width, &rect.height);
    return rect;
}
