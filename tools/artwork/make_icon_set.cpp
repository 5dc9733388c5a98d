// Writes the icon picture at every size the desktop and the window use, into one folder:
// kalvetra-SIZE.png for the icon theme, kalvetra-SIZE.bmp for the window (the program embeds
// these and reads them without a PNG decoder), and kalvetra.svg, the scalable icon, from the
// shapes of the largest size. The 32-pixel pictures have the same pixels as the image in
// resources/kalvetra.ico. Installing them is left to the build's install rules.
//
// Usage: make-icon-set FOLDER

#include "platform/paint/png_writer.h"
#include "resources/window_icons.h"
#include "tools/artwork/dib_file.h"
#include "tools/artwork/icon_picture.h"
#include "tools/artwork/svg_file.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

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

bool WriteIconFiles(const std::string& folder, int size) {
    const std::string stem = folder + "/kalvetra-" + std::to_string(size);
    const Canvas picture = DrawIconPicture(size);
    return WritePngFile(stem + ".png", size, size, RgbBytes(picture)) &&
           WriteBytes(stem + ".bmp", BitmapFile(picture));
}

} // namespace

int main(int argument_count, char** arguments) {
    if (argument_count != 2) {
        std::fprintf(stderr, "usage: make-icon-set FOLDER\n");
        return 2;
    }
    const std::string folder = arguments[1];
    for (int size : IconSizes) {
        if (!WriteIconFiles(folder, size)) {
            std::fprintf(stderr, "make-icon-set: cannot write the %d-pixel icons\n", size);
            return 1;
        }
    }
    const int scalable_size = IconSizes.back();
    const std::string svg = SvgDocument(scalable_size, IconPictureShapes(scalable_size));
    if (!WriteBytes(folder + "/kalvetra.svg", ByteBuffer(svg.begin(), svg.end()))) {
        std::fprintf(stderr, "make-icon-set: cannot write kalvetra.svg\n");
        return 1;
    }
    return 0;
}
