// Writes the desktop's icons: the icon picture as PNG files of 32, 48, 64, 128 and 256 pixels
// square, named kalvetra-SIZE.png, into one folder. The 32-pixel file has the same pixels as
// the image in resources/kalvetra.ico. Installing them into an icon theme is left to the
// build's install rules.
//
// Usage: make-icon-pngs FOLDER

#include "platform/paint/png_writer.h"
#include "tools/artwork/icon_picture.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr std::array<int, 5> IconSizes{32, 48, 64, 128, 256};

std::vector<std::uint8_t> RgbBytes(const Canvas& picture) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(picture.pixels.size() * 3);
    for (const Colour& pixel : picture.pixels) {
        bytes.push_back(pixel.red);
        bytes.push_back(pixel.green);
        bytes.push_back(pixel.blue);
    }
    return bytes;
}

} // namespace

int main(int argument_count, char** arguments) {
    if (argument_count != 2) {
        std::fprintf(stderr, "usage: make-icon-pngs FOLDER\n");
        return 2;
    }
    for (int size : IconSizes) {
        std::string path = std::string(arguments[1]) + "/kalvetra-" + std::to_string(size) + ".png";
        if (!WritePngFile(path, size, size, RgbBytes(DrawIconPicture(size)))) {
            std::fprintf(stderr, "make-icon-pngs: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
