#include "platform/backends/software/surface_painter.h"

#include "platform/backends/software/picture_scaling.h"
#include "platform/paint/frame_changes.h"
#include "platform/text/codepage1254.h"

namespace {

// Rendered texts kept between frames: every label of every page, with room to spare.
constexpr std::size_t TextCacheCapacity = 512;

SDL_Rect ToSdl(const PixelRect& rect) {
    return {rect.x, rect.y, rect.width, rect.height};
}

Uint32 MapColour(const SDL_Surface* target, std::uint32_t colour) {
    return SDL_MapRGB(target->format, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace

SurfacePainter::SurfacePainter(const InterfaceFont& font)
    : m_font(font), m_text_cache(TextCacheCapacity) {}

SurfacePainter::~SurfacePainter() {
    m_text_cache.clear();
    for (const auto& [data, surface] : m_bitmaps)
        SDL_FreeSurface(surface);
    for (const auto& [key, surface] : m_resampled)
        SDL_FreeSurface(surface);
}

PaintedAreas SurfacePainter::paint(SDL_Surface* target, const DrawList& frame) {
    // A new surface (the first frame, or the display made another) holds nothing yet, and one
    // whose picture the display lost shows nothing of it: both are painted whole.
    const PixelRect surface{0, 0, target->w, target->h};
    PaintedAreas painted;
    painted.is_whole = target != m_drawn_surface || m_is_shown_lost ||
                       frame.width != m_drawn.width || frame.height != m_drawn.height;
    painted.areas =
        painted.is_whole ? std::vector<PixelRect>{surface} : ChangedAreas(m_drawn, frame);
    // Each area is drawn by every command that reaches into it and shows there, in the
    // frame's order.
    for (const PixelRect& area : painted.areas) {
        for (std::size_t index = FirstShownCommand(frame, area); index < frame.commands.size();
             ++index) {
            const DrawCommand& command = frame.commands[index];
            if (!CommandExtent(command).intersected(area).is_empty())
                draw(target, command, area);
        }
    }
    SDL_SetClipRect(target, nullptr);
    for (PixelRect& area : painted.areas)
        area = area.intersected(surface);
    m_drawn = frame;
    m_drawn_surface = target;
    m_is_shown_lost = false;
    return painted;
}

void SurfacePainter::draw(SDL_Surface* target, const DrawCommand& command, const PixelRect& area) {
    switch (command.op) {
    case DrawOp::Fill: {
        // Fills and frames come clipped by the painter; a clip given as well still holds.
        const SDL_Rect clip =
            ToSdl(command.clip.is_empty() ? area : command.clip.intersected(area));
        SDL_SetClipRect(target, &clip);
        const SDL_Rect rect = ToSdl(command.rect);
        SDL_FillRect(target, &rect, MapColour(target, command.colour));
        break;
    }
    case DrawOp::DottedFrame:
        draw_dotted_frame(target, command, area);
        break;
    case DrawOp::Text:
        draw_text(target, command, area);
        break;
    case DrawOp::Bitmap:
        draw_bitmap(target, command, area);
        break;
    }
}

void SurfacePainter::draw_dotted_frame(SDL_Surface* target, const DrawCommand& command,
                                       const PixelRect& area) {
    const PixelRect& rect = command.rect;
    if (rect.is_empty())
        return;
    // Every other pixel along the edges, starting with the top-left corner, like the focus
    // rectangle of Windows.
    std::vector<SDL_Rect> dots;
    const auto add = [&](int x, int y) {
        if ((x - rect.x + y - rect.y) % 2 == 0)
            dots.push_back({x, y, 1, 1});
    };
    for (int x = rect.x; x < rect.right(); ++x) {
        add(x, rect.y);
        if (rect.height > 1)
            add(x, rect.bottom() - 1);
    }
    for (int y = rect.y + 1; y < rect.bottom() - 1; ++y) {
        add(rect.x, y);
        if (rect.width > 1)
            add(rect.right() - 1, y);
    }
    const SDL_Rect clip = ToSdl(command.clip.is_empty() ? area : command.clip.intersected(area));
    SDL_SetClipRect(target, &clip);
    SDL_FillRects(target, dots.data(), static_cast<int>(dots.size()),
                  MapColour(target, command.colour));
}

void SurfacePainter::draw_text(SDL_Surface* target, const DrawCommand& command,
                               const PixelRect& area) {
    TTF_Font* font = m_font.ttf();
    if (command.text.empty() || font == nullptr)
        return;
    SDL_Surface* rendered = m_text_cache.find_or_render(
        command.text, command.colour, [font](std::string_view text, std::uint32_t colour) {
            const SDL_Color colour_sdl = {static_cast<Uint8>(colour & 0xFF),
                                          static_cast<Uint8>((colour >> 8) & 0xFF),
                                          static_cast<Uint8>((colour >> 16) & 0xFF), 0xFF};
            return TTF_RenderUTF8_Blended(font, CodePage1254ToUtf8(text).c_str(), colour_sdl);
        });
    if (rendered == nullptr)
        return;
    const SDL_Rect clip = ToSdl(command.clip.intersected(area));
    SDL_SetClipRect(target, &clip);
    SDL_Rect place = {command.rect.x, command.rect.y, rendered->w, rendered->h};
    SDL_BlitSurface(rendered, nullptr, target, &place);
}

SDL_Surface* SurfacePainter::bitmap_surface(std::span<const std::uint8_t> bmp_file) {
    if (const auto found = m_bitmaps.find(bmp_file.data()); found != m_bitmaps.end())
        return found->second;
    SDL_RWops* stream = SDL_RWFromConstMem(bmp_file.data(), static_cast<int>(bmp_file.size()));
    SDL_Surface* loaded = stream != nullptr ? SDL_LoadBMP_RW(stream, 1) : nullptr;
    if (loaded == nullptr) {
        m_error = std::string("cannot read a bitmap: ") + SDL_GetError();
        m_bitmaps.emplace(bmp_file.data(), nullptr);
        return nullptr;
    }
    // Converted once to the window's usual format, so that each frame only copies pixels.
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(loaded);
    m_bitmaps.emplace(bmp_file.data(), converted);
    return converted;
}

SDL_Surface* SurfacePainter::resampled_surface(std::span<const std::uint8_t> bmp_file, int width,
                                               int height) {
    SDL_Surface* picture = bitmap_surface(bmp_file);
    if (picture == nullptr || (picture->w == width && picture->h == height))
        return picture;
    const ResampledKey key{bmp_file.data(), width, height};
    if (const auto found = m_resampled.find(key); found != m_resampled.end())
        return found->second;
    SDL_Surface* resampled = ResamplePicture(picture, width, height);
    m_resampled.emplace(key, resampled);
    return resampled;
}

void SurfacePainter::draw_bitmap(SDL_Surface* target, const DrawCommand& command,
                                 const PixelRect& area) {
    if (command.bitmap.empty())
        return;
    // The window system places, sizes and clips the picture; resampled once for a size.
    SDL_Surface* picture =
        resampled_surface(command.bitmap, command.rect.width, command.rect.height);
    if (picture == nullptr)
        return;
    const SDL_Rect clip = ToSdl(command.clip.intersected(area));
    SDL_SetClipRect(target, &clip);
    SDL_Rect place = ToSdl(command.rect);
    SDL_BlitSurface(picture, nullptr, target, &place);
}
