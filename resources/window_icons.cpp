// The window's icons, the files resources/icons/kalvetra-SIZE.bmp compiled in by the build.

#include "resources/window_icons.h"

extern const std::span<const std::uint8_t> Embedded_kalvetra_16_bmp;
extern const std::span<const std::uint8_t> Embedded_kalvetra_24_bmp;
extern const std::span<const std::uint8_t> Embedded_kalvetra_32_bmp;
extern const std::span<const std::uint8_t> Embedded_kalvetra_48_bmp;
extern const std::span<const std::uint8_t> Embedded_kalvetra_64_bmp;
extern const std::span<const std::uint8_t> Embedded_kalvetra_128_bmp;
extern const std::span<const std::uint8_t> Embedded_kalvetra_256_bmp;

namespace {

const WindowIconImage Images[] = {
    {16, Embedded_kalvetra_16_bmp},   {24, Embedded_kalvetra_24_bmp},
    {32, Embedded_kalvetra_32_bmp},   {48, Embedded_kalvetra_48_bmp},
    {64, Embedded_kalvetra_64_bmp},   {128, Embedded_kalvetra_128_bmp},
    {256, Embedded_kalvetra_256_bmp},
};
static_assert(std::size(Images) == IconSizes.size());

} // namespace

std::span<const WindowIconImage> WindowIconImages() {
    return Images;
}
