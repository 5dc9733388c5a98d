#pragma once

// The display backend for a real desktop: one fixed-size SDL2 window drawn in software on
// its window surface (no renderer, no OpenGL), text in a metric-compatible free font through
// SDL_ttf, input turned into InputEvents, and the X display for the bell and for reading the
// clipboard. The signals that ask the program to end arrive as the window's close. It renders
// the draw lists it is given and knows nothing of windows, messages or controls.

#include "platform/backends/backend.h"
#include "platform/backends/sdl/ending_signals.h"
#include "platform/backends/sdl/text_cache.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class X11ClipboardReader;

class SdlBackend : public Backend {
  public:
    SdlBackend();
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
    void set_clipboard(std::string_view text) override;
    std::optional<std::string> clipboard() override;
    bool open_url(const std::string& address) override;
    bool save_screenshot(const std::string& path) override;
    std::string error() const override;

  private:
    // Starts SDL video and loads the font, once; the metrics are needed before the window
    // opens, since the window's size is counted in them.
    bool start() const;
    bool load_font() const;
    bool translate(const SDL_Event& sdl_event, InputEvent& event);
    // Asks for the size the window was opened with when the display gave it another; true
    // when the window has that size (again).
    bool keep_fixed_size();
    // The clipboard's text as UTF-8; nullopt when it could not be read.
    std::optional<std::string> clipboard_utf8();
    // The X clipboard's own reader, while the window is on an X display; null elsewhere.
    X11ClipboardReader* clipboard_reader();

    // Each draws one command within `area` of the window, clipped to it as well.
    void draw(SDL_Surface* target, const DrawCommand& command, const PixelRect& area);
    void draw_dotted_frame(SDL_Surface* target, const DrawCommand& command, const PixelRect& area);
    void draw_text(SDL_Surface* target, const DrawCommand& command, const PixelRect& area);
    void draw_bitmap(SDL_Surface* target, const DrawCommand& command, const PixelRect& area);
    SDL_Surface* bitmap_surface(std::span<const std::uint8_t> bmp_file);

    enum class Start { NotYet, Done, Failed };
    mutable Start m_start = Start::NotYet;
    mutable std::string m_error;
    mutable EndingSignals m_ending_signals;
    // The link's opener, found once when SDL starts; nullopt when there is none.
    mutable std::optional<std::string> m_url_opener;
    mutable std::vector<char> m_font_file; // the font's bytes, read once; FreeType reads them
    mutable TTF_Font* m_font = nullptr;
    mutable FontMetrics m_metrics;
    // Widths of texts measured before: painting measures every label of every frame.
    mutable std::unordered_map<std::string, int> m_text_widths;

    SDL_Window* m_window = nullptr;
    int m_width = 0, m_height = 0; // the window's size, whatever the display asks
    std::unique_ptr<X11ClipboardReader> m_clipboard_reader; // made at the first paste on X11
    // What the window surface shows, so that a frame redraws and sends only what changed;
    // the whole window goes out again when the display lost what it showed (an expose).
    DrawList m_drawn;
    SDL_Surface* m_drawn_surface = nullptr;
    bool m_is_window_stale = true;
    TextCache m_text_cache;
    // Decoded bitmaps by the address of their file bytes: resources live as long as the
    // program.
    std::map<const std::uint8_t*, SDL_Surface*> m_bitmaps;
    SDL_Cursor* m_arrow = nullptr;
    SDL_Cursor* m_ibeam = nullptr;
    SDL_Cursor* m_hand = nullptr;
    bool m_cursors_made = false;
};
