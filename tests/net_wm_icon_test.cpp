// The window's icons for X11 (_NET_WM_ICON): every size of the program's icon, smallest
// first, each as width, height and its pixels top row first, opaque ARGB.

#include "platform/backends/sdl/net_wm_icon.h"
#include "resources/window_icons.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<std::span<const std::uint8_t>> IconFiles() {
    std::vector<std::span<const std::uint8_t>> files;
    for (const WindowIconImage& image : WindowIconImages())
        files.push_back(image.bitmap);
    return files;
}

// The pixel at x, y (from the top) of a bottom-up .bmp of 24 bits, as opaque ARGB.
unsigned long BmpPixel(std::span<const std::uint8_t> file, int size, int x, int y) {
    const std::size_t stride = (static_cast<std::size_t>(size) * 3 + 3) / 4 * 4;
    const std::size_t offset = file[10] | file[11] << 8 | file[12] << 16;
    const std::size_t at =
        offset + static_cast<std::size_t>(size - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
    return 0xFF000000ul | static_cast<unsigned long>(file[at + 2]) << 16 |
           static_cast<unsigned long>(file[at + 1]) << 8 | file[at];
}

} // namespace

TEST(NetWmIcon, HoldsEverySizeTopRowFirstAndOpaque) {
    const std::vector<unsigned long> cardinals = NetWmIcon(IconFiles());
    std::size_t at = 0;
    for (const WindowIconImage& image : WindowIconImages()) {
        SCOPED_TRACE(image.size);
        ASSERT_LE(at + 2, cardinals.size());
        EXPECT_EQ(cardinals[at], static_cast<unsigned long>(image.size));
        EXPECT_EQ(cardinals[at + 1], static_cast<unsigned long>(image.size));
        at += 2;
        ASSERT_LE(at + static_cast<std::size_t>(image.size * image.size), cardinals.size());
        int differing = 0;
        for (int y = 0; y < image.size; ++y)
            for (int x = 0; x < image.size; ++x)
                differing += cardinals[at++] != BmpPixel(image.bitmap, image.size, x, y);
        EXPECT_EQ(differing, 0);
    }
    EXPECT_EQ(at, cardinals.size());
}

TEST(NetWmIcon, LeavesOutAFileThatIsNoPicture) {
    const std::uint8_t not_a_picture[] = {'B', 'M', 0, 0};
    const std::span<const std::uint8_t> smallest = WindowIconImages().front().bitmap;
    const std::span<const std::uint8_t> files[] = {not_a_picture, smallest};
    const std::vector<unsigned long> cardinals = NetWmIcon(files);
    ASSERT_EQ(cardinals.size(), 2u + 16u * 16u);
    EXPECT_EQ(cardinals[0], 16u);
}
