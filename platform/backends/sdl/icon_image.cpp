#include "platform/backends/sdl/icon_image.h"

#include <cstddef>

namespace {

constexpr std::size_t DirectoryHeaderSize = 6;
constexpr std::size_t DirectoryEntrySize = 16;
constexpr std::size_t InfoHeaderSize = 40;

unsigned ReadLittle16(std::span<const std::uint8_t> data, std::size_t at) {
    return data[at] | data[at + 1] << 8;
}

std::uint32_t ReadLittle32(std::span<const std::uint8_t> data, std::size_t at) {
    return std::uint32_t{data[at]} | std::uint32_t{data[at + 1]} << 8 |
           std::uint32_t{data[at + 2]} << 16 | std::uint32_t{data[at + 3]} << 24;
}

struct ImagePlace {
    std::size_t offset = 0, size = 0;
    unsigned width = 0;
};

// The directory entry with the widest image (a width byte of 0 means 256).
ImagePlace LargestImage(std::span<const std::uint8_t> ico) {
    ImagePlace best;
    if (ico.size() < DirectoryHeaderSize || ReadLittle16(ico, 0) != 0 || ReadLittle16(ico, 2) != 1)
        return best;
    const unsigned count = ReadLittle16(ico, 4);
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t entry = DirectoryHeaderSize + i * DirectoryEntrySize;
        if (entry + DirectoryEntrySize > ico.size())
            break;
        const unsigned width = ico[entry] == 0 ? 256 : ico[entry];
        const ImagePlace place{ReadLittle32(ico, entry + 12), ReadLittle32(ico, entry + 8), width};
        if (width > best.width && place.offset + place.size <= ico.size() &&
            place.size >= InfoHeaderSize)
            best = place;
    }
    return best;
}

} // namespace

SDL_Surface* DecodeIcon(std::span<const std::uint8_t> ico) {
    const ImagePlace place = LargestImage(ico);
    if (place.width == 0)
        return nullptr;
    const auto image = ico.subspan(place.offset, place.size);
    if (ReadLittle32(image, 0) != InfoHeaderSize || ReadLittle32(image, 16) != 0)
        return nullptr; // a PNG image, or a compressed one
    const auto width = static_cast<int>(ReadLittle32(image, 4));
    // The stored height counts the colour rows and the transparency mask rows.
    const auto height = static_cast<int>(ReadLittle32(image, 8)) / 2;
    const unsigned bits = ReadLittle16(image, 14);
    if (width <= 0 || height <= 0 || width > 256 || height > 256 || (bits != 24 && bits != 32))
        return nullptr;

    const std::size_t bytes_per_pixel = bits / 8;
    const std::size_t colour_stride = (width * bytes_per_pixel + 3) / 4 * 4;
    const std::size_t mask_stride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    const std::size_t mask_start = InfoHeaderSize + colour_stride * height;
    const bool has_mask = mask_start + mask_stride * height <= image.size();
    if (mask_start > image.size())
        return nullptr;

    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr)
        return nullptr;
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up.
        const std::size_t stored_row = static_cast<std::size_t>(height - 1 - y);
        auto* out = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(surface->pixels) +
                                                     y * surface->pitch);
        for (int x = 0; x < width; ++x) {
            const std::size_t at =
                InfoHeaderSize + stored_row * colour_stride + x * bytes_per_pixel;
            std::uint32_t alpha = bits == 32 ? image[at + 3] : 0xFF;
            if (bits == 24 && has_mask) {
                const std::uint8_t mask_byte = image[mask_start + stored_row * mask_stride + x / 8];
                if (mask_byte & (0x80 >> (x % 8)))
                    alpha = 0;
            }
            out[x] = alpha << 24 | std::uint32_t{image[at + 2]} << 16 |
                     std::uint32_t{image[at + 1]} << 8 | image[at];
        }
    }
    return surface;
}
