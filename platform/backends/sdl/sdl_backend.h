#pragma once

// The display backend for a real desktop: one fixed-size SDL2 window drawn in software on
// its window surface (no renderer, no OpenGL), text in a metric-compatible free font through
// SDL_ttf, input turned into InputEvents, and the X display for the bell. It renders the
// draw lists it is given and knows nothing of windows, messages or controls.

#include "platform/backends/backend.h"
#include "platform/backends/sdl/text_cache.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

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
    void wake() override;
    std::optional<PixelRect> window_on_screen() const override;

  private:
    // Starts SDL video and loads the font, once; the metrics are needed before the window
    // opens, since the window's size is counted in them.
    bool start() const;
    bool load_font() const;
    bool translate(const SDL_Event& sdl_event, InputEvent& event);

    // Each draws one command within `area` of the window, clipped to it as well.
    void draw(SDL_Surface* target, const DrawCommand& command, const PixelRect& area);
    void draw_dotted_frame(SDL_Surface* target, const DrawCommand& command, const PixelRect& area);
    void draw_text(SDL_Surface* target, const DrawCommand& command, const PixelRect& area);
    void draw_bitmap(SDL_Surface* target, const DrawCommand& command, const PixelRect& area);
    SDL_Surface* bitmap_surface(std::span<const std::uint8_t> bmp_file);

    enum class Start { NotYet, Done, Failed };
    mutable Start m_start = Start::NotYet;
    // The event type of wake(), registered at the start, before any other thread may wake.
    mutable Uint32 m_wake_event = 0;
    mutable std::string m_error;
    mutable std::vector<char> m_font_file; // the font's bytes, read once; FreeType reads them
    mutable TTF_Font* m_font = nullptr;
    mutable FontMetrics m_metrics;
    // Widths of texts measured before: painting measures every label of every frame.
    mutable std::unordered_map<std::string, int> m_text_widths;

    SDL_Window* m_window = nullptr;
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
