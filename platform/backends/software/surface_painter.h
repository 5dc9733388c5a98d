#pragma once

// Paints draw lists into an SDL surface in software: fills, dotted focus frames, text in
// the interface font and pictures from .bmp bytes, resampled to the size they are drawn at. It
// remembers what it last painted into a surface, so that the next frame redraws only the areas that
// changed, and tells the caller which areas those were; showing them on the display is the
// backend's job.

#include "platform/backends/software/interface_font.h"
#include "platform/backends/software/text_cache.h"
#include "platform/paint/draw_list.h"

#include <SDL.h>

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <tuple>
#include <vector>

struct PaintedAreas {
    std::vector<PixelRect> areas; // within the surface
    bool is_whole = false;        // the whole surface was painted
};

class SurfacePainter {
  public:
    explicit SurfacePainter(const InterfaceFont& font);
    ~SurfacePainter();
    SurfacePainter(const SurfacePainter&) = delete;
    SurfacePainter& operator=(const SurfacePainter&) = delete;

    // Paints what frame changes on target, or all of it when target is not the surface it
    // painted last or what that surface showed was lost.
    PaintedAreas paint(SDL_Surface* target, const DrawList& frame);
    // The display lost what the surface showed (an expose): the next frame is painted whole.
    void forget_shown() { m_is_shown_lost = true; }
    const std::string& error() const { return m_error; }

  private:
    // Each draws one command within `area` of the surface, clipped to it as well.
    void draw(SDL_Surface* target, const DrawCommand& command, const PixelRect& area);
    void draw_dotted_frame(SDL_Surface* target, const DrawCommand& command, const PixelRect& area);
    void draw_text(SDL_Surface* target, const DrawCommand& command, const PixelRect& area);
    void draw_bitmap(SDL_Surface* target, const DrawCommand& command, const PixelRect& area);
    SDL_Surface* bitmap_surface(std::span<const std::uint8_t> bmp_file);
    // The picture at that size: its own surface, or one resampled from it.
    SDL_Surface* resampled_surface(std::span<const std::uint8_t> bmp_file, int width, int height);

    const InterfaceFont& m_font;
    DrawList m_drawn; // what the surface shows
    SDL_Surface* m_drawn_surface = nullptr;
    bool m_is_shown_lost = true;
    TextCache m_text_cache;
    // Decoded bitmaps by the address of their file bytes: resources live as long as the
    // program.
    std::map<const std::uint8_t*, SDL_Surface*> m_bitmaps;
    // Their copies at the display's scale, by file and size.
    using ResampledKey = std::tuple<const std::uint8_t*, int, int>;
    std::map<ResampledKey, SDL_Surface*> m_resampled;
    std::string m_error;
};
