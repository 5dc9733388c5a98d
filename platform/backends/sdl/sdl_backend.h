#pragma once

// The display backend for a real desktop: one fixed-size SDL2 window drawn in software on
// its window surface (no renderer, no OpenGL), text in a metric-compatible free font through
// SDL_ttf, input turned into InputEvents, the X display for the bell and for reading the
// clipboard, and the desktop's colour scheme from its portal. The signals that ask the program to
// end arrive as the window's close. It renders the draw lists it is given and knows nothing of
// windows, messages or controls.

#include "platform/backends/backend.h"
#include "platform/backends/desktop/ending_signals.h"
#include "platform/backends/software/interface_font.h"
#include "platform/backends/software/surface_painter.h"

#include <SDL.h>
#include <chrono>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

class AppearancePortal;
class X11ClipboardReader;
enum class X11Selection;

class SdlBackend : public Backend {
  public:
    // On X11 the window offers the icon at every size of icon_sizes, so that task switchers
    // and window lists need not scale one up; elsewhere, and without them, it has the one
    // image of the .ico that the window system sets.
    explicit SdlBackend(IconPictures icon_sizes = {});
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    // ^Backend
    FontMetrics font_metrics() const override;
    int text_width(std::string_view text) const override;
    bool open_window(const WindowSpec& spec) override;
    void close_window() override;
    void set_icon(std::span<const std::uint8_t> ico) override;
    void present(const DrawList& frame) override;
    bool wait_event(InputEvent& event, int timeout_ms) override;
    void beep() override;
    void show_cursor(CursorShape shape) override;
    ColourScheme colour_scheme() override;
    void set_clipboard(std::string_view text) override;
    std::optional<std::string> clipboard() override;
    void set_primary_selection(std::string_view text) override;
    std::optional<std::string> primary_selection() override;
    bool open_url(const std::string& address) override;
    bool save_screenshot(const std::string& path) override;
    std::string error() const override;
    void wake() override;
    std::optional<PixelRect> window_on_screen() const override;

  private:
    // Starts SDL video and loads the font, once; the metrics are needed before the window
    // opens, since the window's size is counted in them.
    bool start() const;
    bool translate(const SDL_Event& sdl_event, InputEvent& event);
    // Asks for the size the window was opened with when the display gave it another; true
    // when the window has that size (again).
    bool keep_fixed_size();
    // The clipboard and the PRIMARY selection: offered through SDL, read on X11 by the
    // reader of our own; nullopt when it could not be read or held a character that code
    // page 1254 lacks.
    void set_selection(X11Selection selection, std::string_view text);
    std::optional<std::string> selection(X11Selection selection);
    // The X selections' own reader, while the window is on an X display; null elsewhere.
    X11ClipboardReader* clipboard_reader();

    // The display lost what the window showed: the next frame goes out whole.
    void forget_shown() {
        if (m_painter != nullptr)
            m_painter->forget_shown();
    }

    enum class Start { NotYet, Done, Failed };
    mutable Start m_start = Start::NotYet;
    // The event type of wake(), registered at the start, before any other thread may wake.
    mutable Uint32 m_wake_event = 0;
    mutable std::string m_error;
    mutable EndingSignals m_ending_signals;
    mutable Uint32 m_signal_event_type = 0; // the SDL event a signal arrives as; 0 for none
    // The link's opener, found once when SDL starts; nullopt when there is none.
    mutable std::optional<std::string> m_url_opener;
    mutable std::unique_ptr<InterfaceFont> m_font; // loaded when SDL starts
    // The desktop's appearance, asked for as SDL starts and waited for a while at the first
    // frame; its changes arrive as events of their own type.
    mutable std::unique_ptr<AppearancePortal> m_portal;
    mutable std::chrono::steady_clock::time_point m_portal_asked;
    mutable Uint32 m_appearance_event = 0;
    bool m_has_waited_for_portal = false;

    IconPictures m_icon_sizes;
    bool m_are_icons_pending = false; // set, on X11, after the next frame
    SDL_Window* m_window = nullptr;
    int m_width = 0, m_height = 0; // the window's size, whatever the display asks
    std::unique_ptr<X11ClipboardReader> m_clipboard_reader; // made at the first paste on X11
    // Paints frames into the window surface, redrawing only what changed.
    std::unique_ptr<SurfacePainter> m_painter;
    SDL_Cursor* m_arrow = nullptr;
    SDL_Cursor* m_ibeam = nullptr;
    SDL_Cursor* m_hand = nullptr;
    bool m_cursors_made = false;
};
