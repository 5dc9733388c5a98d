#include "platform/backends/sdl/net_wm_icon.h"

#include <SDL.h>

std::vector<unsigned long> NetWmIcon(std::span<const std::span<const std::uint8_t>> bmp_files) {
    std::vector<unsigned long> cardinals;
    for (const std::span<const std::uint8_t> file : bmp_files) {
        SDL_RWops* stream = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
        SDL_Surface* loaded = stream != nullptr ? SDL_LoadBMP_RW(stream, 1) : nullptr;
        SDL_Surface* picture = loaded != nullptr
                                   ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0)
                                   : nullptr;
        SDL_FreeSurface(loaded);
        if (picture == nullptr)
            continue;
        cardinals.reserve(cardinals.size() + 2 + static_cast<std::size_t>(picture->w * picture->h));
        cardinals.push_back(static_cast<unsigned long>(picture->w));
        cardinals.push_back(static_cast<unsigned long>(picture->h));
        for (int y = 0; y < picture->h; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(
                static_cast<const std::uint8_t*>(picture->pixels) + y * picture->pitch);
            cardinals.insert(cardinals.end(), row, row + picture->w);
        }
        SDL_FreeSurface(picture);
    }
    return cardinals;
}
