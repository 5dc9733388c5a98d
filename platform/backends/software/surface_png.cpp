#include "platform/backends/software/surface_png.h"

#include "platform/paint/png_writer.h"

#include <algorithm>
#include <cstdint>
#include <vector>

bool WriteSurfacePng(SDL_Surface* surface, const std::string& path, std::string& error) {
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGB24, 0);
    if (rgb == nullptr) {
        error = std::string("cannot read the window's picture: ") + SDL_GetError();
        return false;
    }
    const std::size_t row_bytes = static_cast<std::size_t>(rgb->w) * 3;
    std::vector<std::uint8_t> pixels(row_bytes * static_cast<std::size_t>(rgb->h));
    for (int y = 0; y < rgb->h; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(rgb->pixels) + y * rgb->pitch;
        std::copy(row, row + row_bytes,
                  pixels.begin() + static_cast<std::ptrdiff_t>(y * row_bytes));
    }
    const bool written = WritePngFile(path, rgb->w, rgb->h, pixels);
    SDL_FreeSurface(rgb);
    if (!written)
        error = "cannot write " + path;
    return written;
}
