// libFuzzer target at the edge between the desktop and the program: the input is a sequence
// of SDL events (keys with any modifiers and scancodes, text input of any bytes, the mouse,
// window events with any sizes, the display resizing the window, clipboard texts of any
// bytes and sizes followed by a paste key, and events of any type) pushed into SDL's queue,
// from where the real SDL backend takes and translates them for the real main window. SDL
// runs on its dummy video driver, so no display is needed; every rule of
// window_invariants.h is checked after each event. Inputs longer than MaxInputLength are
// passed over, so that the corpus stays small.

#include "byte_source.h"
#include "page_model.h"
#include "window_invariants.h"

#include "app/main_dialog.h"
#include "platform/backends/sdl/sdl_backend.h"
#include "platform/core/window_system.h"
#include "platform/platform.h"
#include "resources/program_resources.h"

#include <SDL.h>
#include <sanitizer/lsan_interface.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr std::size_t MaxInputLength = 4096;
// A clipboard text is the input's bytes repeated up to this size.
constexpr std::size_t LargestClipboard = 2 * 1024 * 1024;

// The keys the program acts on, and a few it does not; any other symbol comes raw.
constexpr SDL_Keycode InterestingKeys[] = {
    SDLK_a,        SDLK_c,     SDLK_v,           SDLK_x,      SDLK_z,        SDLK_f,
    SDLK_g,        SDLK_0,     SDLK_1,           SDLK_9,      SDLK_TAB,      SDLK_RETURN,
    SDLK_ESCAPE,   SDLK_SPACE, SDLK_BACKSPACE,   SDLK_DELETE, SDLK_INSERT,   SDLK_HOME,
    SDLK_END,      SDLK_LEFT,  SDLK_RIGHT,       SDLK_UP,     SDLK_DOWN,     SDLK_PAGEUP,
    SDLK_PAGEDOWN, SDLK_MENU,  SDLK_APPLICATION, SDLK_LSHIFT, SDLK_RCTRL,    SDLK_LALT,
    SDLK_KP_ENTER, SDLK_KP_5,  SDLK_F4,          SDLK_F10,    SDLK_CAPSLOCK, SDLK_UNKNOWN,
};

// The program's SDL backend, started once for the whole run (SDL and the font take far
// longer to start than an input takes to run), lent to each new window system.
class LentBackend : public Backend {
  public:
    explicit LentBackend(Backend& owner) : m_owner(owner) {}
    FontMetrics font_metrics() const override { return m_owner.font_metrics(); }
    int text_width(std::string_view text) const override { return m_owner.text_width(text); }
    bool open_window(const WindowSpec& spec) override { return m_owner.open_window(spec); }
    void close_window() override { m_owner.close_window(); }
    void set_icon(std::span<const std::uint8_t> ico) override { m_owner.set_icon(ico); }
    void present(const DrawList& frame) override { m_owner.present(frame); }
    bool wait_event(InputEvent& event, int timeout_ms) override {
        return m_owner.wait_event(event, timeout_ms);
    }
    void beep() override { m_owner.beep(); }
    void show_cursor(CursorShape shape) override { m_owner.show_cursor(shape); }
    void set_clipboard(std::string_view text) override { m_owner.set_clipboard(text); }
    std::optional<std::string> clipboard() override { return m_owner.clipboard(); }
    // PRIMARY keeps the seam's default: without a display driver for it, SDL keeps the text
    // in a copy of its own that it loses.
    ColourScheme colour_scheme() override { return m_owner.colour_scheme(); }
    bool open_url(const std::string& address) override { return m_owner.open_url(address); }
    bool save_screenshot(const std::string& path) override { return m_owner.save_screenshot(path); }
    std::string error() const override { return m_owner.error(); }

  private:
    Backend& m_owner;
};

SdlBackend& SharedBackend() {
    static SdlBackend backend;
    return backend;
}

// The one SDL window, the main window's; null while none is open.
SDL_Window* OpenWindow() {
    // Windows are numbered from 1 as SDL makes them, and there is never more than one.
    static Uint32 last_id = 1;
    for (Uint32 id = last_id; id < last_id + 4; ++id) {
        if (SDL_Window* window = SDL_GetWindowFromID(id)) {
            last_id = id;
            return window;
        }
    }
    return nullptr;
}

int FocusedControl() {
    HWND focus = GetFocus();
    return focus != nullptr ? GetDlgCtrlID(focus) : 0;
}

// A coordinate: mostly inside the window (462 x 403 at scale 1), sometimes anywhere.
int Coordinate(ByteSource& bytes, int extent) {
    const std::uint16_t raw = bytes.next16();
    if (raw & 0x8000)
        return static_cast<std::int16_t>(raw);
    return raw % (extent + 20) - 10;
}

SDL_Event KeyEvent(ByteSource& bytes) {
    SDL_Event event{};
    const std::uint8_t choice = bytes.next();
    event.type = choice & 1 ? SDL_KEYUP : SDL_KEYDOWN;
    event.key.state = choice & 1 ? SDL_RELEASED : SDL_PRESSED;
    event.key.repeat = (choice >> 1) & 1;
    constexpr std::size_t KeyCount = std::size(InterestingKeys);
    const std::uint8_t key = bytes.next();
    event.key.keysym.sym =
        key < KeyCount ? InterestingKeys[key] : static_cast<SDL_Keycode>(bytes.next32());
    event.key.keysym.scancode = static_cast<SDL_Scancode>(bytes.next16() % SDL_NUM_SCANCODES);
    event.key.keysym.mod = bytes.next16();
    return event;
}

SDL_Event TextEvent(ByteSource& bytes) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    const std::string text = bytes.take(bytes.next() % sizeof event.text.text);
    text.copy(event.text.text, text.size());
    return event;
}

SDL_Event MouseEvent(ByteSource& bytes) {
    SDL_Event event{};
    const std::uint8_t choice = bytes.next();
    const int x = Coordinate(bytes, 462), y = Coordinate(bytes, 403);
    if (choice % 3 == 0) {
        event.type = SDL_MOUSEMOTION;
        event.motion.x = x;
        event.motion.y = y;
        event.motion.state = choice >> 4;
        return event;
    }
    event.type = choice % 3 == 1 ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.x = x;
    event.button.y = y;
    event.button.button = static_cast<Uint8>(1 + (choice >> 2) % 5);
    event.button.clicks = static_cast<Uint8>(choice >> 5);
    return event;
}

SDL_Event WindowEvent(ByteSource& bytes) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = static_cast<Uint8>(bytes.next() % 18);
    event.window.data1 = static_cast<Sint32>(bytes.next32());
    event.window.data2 = static_cast<Sint32>(bytes.next32());
    return event;
}

// An event of any type with the input's bytes in it.
SDL_Event AnyEvent(ByteSource& bytes) {
    SDL_Event event{};
    const std::string filling = bytes.take(sizeof event);
    filling.copy(reinterpret_cast<char*>(&event), filling.size());
    event.type = bytes.next32();
    // SDL copies the message a window-system event points to when the event is pushed; the
    // display would never send one with a pointer to nowhere.
    if (event.type == SDL_SYSWMEVENT)
        event.type = SDL_USEREVENT;
    return event;
}

// The clipboard's text: a piece of the input, repeated up to a size of any length up to
// LargestClipboard; SDL keeps it up to its first zero byte.
void SetClipboard(ByteSource& bytes) {
    const std::string piece = bytes.take(bytes.next());
    // Mostly up to 64 KiB; with the top bit set, up to the largest, which takes far longer.
    const std::uint32_t raw_size = bytes.next32();
    const std::size_t size =
        raw_size & 0x80000000 ? (raw_size & 0xFFFFFF) % (LargestClipboard + 1) : raw_size & 0xFFFF;
    std::string text;
    if (!piece.empty()) {
        text.reserve(size);
        while (text.size() < size)
            text.append(piece, 0, std::min(piece.size(), size - text.size()));
    }
    SDL_SetClipboardText(text.c_str());
}

// Ctrl+V or Shift+Insert, pressed and released.
void PushPasteKeys(ByteSource& bytes) {
    const bool by_insert = bytes.next() & 1;
    SDL_Event event{};
    event.key.keysym.sym = by_insert ? SDLK_INSERT : SDLK_v;
    event.key.keysym.scancode = by_insert ? SDL_SCANCODE_INSERT : SDL_SCANCODE_V;
    event.key.keysym.mod = by_insert ? KMOD_LSHIFT : KMOD_LCTRL;
    for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
        event.type = type;
        SDL_PushEvent(&event);
    }
}

// Reads the next event from the bytes and puts it where the display's events arrive; what
// it stands for, for the rules.
Action PushNextEvent(ByteSource& bytes) {
    Action action;
    action.target = FocusedControl();
    SDL_Event event{};
    switch (bytes.next() % 9) {
    case 0:
    case 1:
        event = KeyEvent(bytes);
        action.kind = ActionKind::Key;
        break;
    case 2:
    case 3:
        event = TextEvent(bytes);
        action.kind = ActionKind::Type;
        break;
    case 4:
        event = MouseEvent(bytes);
        action.kind = ActionKind::Pointer;
        break;
    case 5:
        event = WindowEvent(bytes);
        action.kind = ActionKind::WindowEvent;
        break;
    case 6: {
        // The display resizes the window, as a program may where no window manager runs.
        action.kind = ActionKind::WindowEvent;
        const int width = 1 + bytes.next16(), height = 1 + bytes.next16();
        if (SDL_Window* window = OpenWindow())
            SDL_SetWindowSize(window, width, height);
        action.description = "resize";
        return action;
    }
    case 7:
        SetClipboard(bytes);
        PushPasteKeys(bytes);
        action.kind = ActionKind::Paste;
        action.description = "paste";
        return action;
    default:
        event = AnyEvent(bytes);
        action.kind = ActionKind::WindowEvent;
        break;
    }
    action.description = "SDL event " + std::to_string(event.type);
    SDL_PushEvent(&event);
    return action;
}

void RunInput(ByteSource& bytes) {
    SdlBackend& backend = SharedBackend();
    while (!bytes.is_exhausted()) {
        StartWindowSystem(std::make_unique<LentBackend>(backend), &ProgramResources);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        SDL_SetClipboardText("");
        WindowInvariants invariants;
        bool is_attached = false;
        std::optional<Action> pending;
        Windows().idle_step = [&] {
            if (!is_attached) {
                invariants.attach();
                is_attached = true;
            }
            // The event pushed last has been taken and handled by now.
            if (pending)
                invariants.after_action(*pending);
            if (bytes.is_exhausted())
                return false;
            invariants.before_action();
            pending = PushNextEvent(bytes);
            return true;
        };
        RunMainWindow();
        // A window that could not open takes nothing from the bytes.
        if (!is_attached)
            break;
    }
    StopWindowSystem();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // SDL without a display; no X display for the backend's own questions to it, no session
    // bus for its portal, and no opener for the link, which the fuzzer clicks often.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    unsetenv("DISPLAY");
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    unsetenv("XDG_RUNTIME_DIR");
    setenv("PATH", "", 1);
    // SDL and fontconfig start once and keep what they allocate for the rest of the run
    // (the real-window tests look at the program's start for leaks); the inputs start from
    // there.
    __lsan::ScopedDisabler starting_once;
    SharedBackend().font_metrics();
    // The text field holds what shows whole in the display's font, not in the model's.
    model::ForgetTextFieldCapacity();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > MaxInputLength)
        return -1;
    InputBytes input({data, size});
    RunInput(input);
    return 0;
}
