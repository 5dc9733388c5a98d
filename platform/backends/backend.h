#pragma once

// The seam between the window system and a display. A backend opens the one top-level
// window, renders draw lists into it, measures text in its font, and turns the display's
// input into InputEvents. It knows nothing of windows, messages or controls: the window
// system (core/window_system.h) turns events into messages. Texts cross this seam as bytes of
// code page 1254; a backend converts to and from its own encoding at its edge.

#include "platform/paint/colour_scheme.h"
#include "platform/paint/draw_list.h"
#include "platform/paint/text_measure.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class Modifier : std::uint8_t { None = 0, Shift = 1, Control = 2, Alt = 4 };
constexpr Modifier operator|(Modifier a, Modifier b) {
    return static_cast<Modifier>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool has(Modifier set, Modifier bit) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(bit)) != 0;
}

enum class MouseButton : std::uint8_t { Left, Right, Middle };
enum class CursorShape : std::uint8_t { None, Arrow, IBeam, Hand };

// The program's icon at several sizes, as .bmp files, smallest first, for a display that
// lets a window offer more than one.
using IconPictures = std::vector<std::span<const std::uint8_t>>;

struct InputEvent {
    enum class Type : std::uint8_t {
        KeyDown,     // key: a virtual-key code; modifiers held
        KeyUp,       // key
        Text,        // text: code-page-1254 bytes typed
        MouseMove,   // x, y
        MouseDown,   // x, y, button, clicks (2 for a double click)
        MouseUp,     // x, y, button
        MouseLeave,  // the pointer left the window
        Close,       // the window manager's close
        Expose,      // the window must be drawn again
        FocusChange, // the window gained or lost the keyboard
        Wake,        // another thread asked the loop to run its work (wake())
        Appearance,  // the desktop's colours changed: ask colour_scheme()
    };
    Type type = Type::Expose;
    unsigned key = 0;
    Modifier modifiers = Modifier::None;
    std::string text;
    int x = 0, y = 0;
    MouseButton button = MouseButton::Left;
    int clicks = 1;
    bool focused = false;
};

struct WindowSpec {
    std::string title; // code page 1254
    int width = 0, height = 0;
    std::span<const std::uint8_t> icon; // an .ico file; empty for none
};

// Besides measuring text in its font (TextMeasure):
class Backend : public TextMeasure {
  public:
    // Opens the top-level window; on failure returns false with the reason in error().
    virtual bool open_window(const WindowSpec& spec) = 0;
    virtual void close_window() = 0;
    virtual void set_icon(std::span<const std::uint8_t> ico) = 0;
    virtual void present(const DrawList& frame) = 0;

    // Waits for the next event at most timeout_ms milliseconds (negative: without limit).
    // Returns false when the time ran out without an event.
    virtual bool wait_event(InputEvent& event, int timeout_ms) = 0;

    virtual void beep() = 0;
    virtual void show_cursor(CursorShape shape) = 0;
    virtual void set_clipboard(std::string_view text) = 0;
    // The clipboard's text; nullopt when it cannot be pasted: it holds a character that code
    // page 1254 lacks, or the program that holds it did not hand it over in time or whole.
    virtual std::optional<std::string> clipboard() = 0;
    // The PRIMARY selection, as X programs offer the text selected last and paste it with the
    // middle button: offered as the user selects, read as the clipboard is. A display without
    // one keeps nothing and gives nothing.
    virtual void set_primary_selection(std::string_view) {}
    virtual std::optional<std::string> primary_selection() { return std::string(); }
    // The palette the desktop's appearance asks for (a dark or a high-contrast desktop);
    // Classic where it asks for none or cannot be asked. The window system asks before its
    // first frame, which is the moment to wait for a desktop that has not answered yet, and
    // again after each Appearance event.
    virtual ColourScheme colour_scheme() { return ColourScheme::Classic; }
    // Hands a web address to the desktop's browser, without a shell in between.
    virtual bool open_url(const std::string& address) = 0;

    // Saves what the window shows as a PNG file; false where there is no picture.
    virtual bool save_screenshot(const std::string& path) = 0;

    virtual std::string error() const = 0;

    // Makes the current or the next wait_event return an event of type Wake. Safe to call from
    // any thread; a backend without helper threads to serve may ignore it.
    virtual void wake() {}
    // Where the window's client area lies on the screen, for assistive technology; nullopt
    // where the backend cannot tell.
    virtual std::optional<PixelRect> window_on_screen() const { return std::nullopt; }

    // False for a backend that has no user behind it: the modal loop then stops when its
    // queue of events runs dry instead of waiting.
    virtual bool waits_for_input() const { return true; }
};
