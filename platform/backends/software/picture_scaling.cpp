#include "platform/backends/software/picture_scaling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Where new pixel `at` of `to` falls among the `from` old ones: the old pixel before its
// centre and how far towards the next one, both held within the picture.
struct SourcePoint {
    int before, after;
    float towards_after;
};

std::vector<SourcePoint> SourcePoints(int from, int to) {
    std::vector<SourcePoint> points(static_cast<std::size_t>(to));
    const float step = static_cast<float>(from) / static_cast<float>(to);
    for (int at = 0; at < to; ++at) {
        const float centre = std::clamp((at + 0.5f) * step - 0.5f, 0.0f, from - 1.0f);
        const int before = static_cast<int>(centre);
        points[static_cast<std::size_t>(at)] = {before, std::min(before + 1, from - 1),
                                                centre - static_cast<float>(before)};
    }
    return points;
}

std::uint32_t Blend(std::uint32_t first, std::uint32_t second, float towards_second) {
    std::uint32_t blended = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const float a = static_cast<float>((first >> shift) & 0xFF);
        const float b = static_cast<float>((second >> shift) & 0xFF);
        const auto channel = static_cast<std::uint32_t>(std::lround(a + (b - a) * towards_second));
        blended |= channel << shift;
    }
    return blended;
}

std::uint32_t PixelAt(const SDL_Surface* surface, int x, int y) {
    const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const std::uint32_t*>(row)[x];
}

} // namespace

SDL_Surface* ResamplePicture(const SDL_Surface* source, int width, int height) {
    if (source == nullptr || source->format->BytesPerPixel != 4 || width <= 0 || height <= 0)
        return nullptr;
    SDL_Surface* target =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, source->format->format);
    if (target == nullptr)
        return nullptr;
    const std::vector<SourcePoint> columns = SourcePoints(source->w, width);
    const std::vector<SourcePoint> rows = SourcePoints(source->h, height);
    for (int y = 0; y < height; ++y) {
        const SourcePoint& row = rows[static_cast<std::size_t>(y)];
        auto* out = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(target->pixels) +
                                                     y * target->pitch);
        for (int x = 0; x < width; ++x) {
            const SourcePoint& column = columns[static_cast<std::size_t>(x)];
            const std::uint32_t above =
                Blend(PixelAt(source, column.before, row.before),
                      PixelAt(source, column.after, row.before), column.towards_after);
            const std::uint32_t below =
                Blend(PixelAt(source, column.before, row.after),
                      PixelAt(source, column.after, row.after), column.towards_after);
            out[x] = Blend(above, below, row.towards_after);
        }
    }
    return target;
}
