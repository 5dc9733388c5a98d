// Writes the program's icon file: one 32 x 32 image of 24 bits per pixel showing the
// emblem. An icon image is a BITMAPINFOHEADER of double height followed by the colour rows
// and a 1-bit AND mask; the mask is all zero, so every pixel is drawn as it is.
//
// Usage: make-icon OUTPUT.ico

#include "tools/artwork/dib_file.h"
#include "tools/artwork/icon_picture.h"

#include <cstdio>

namespace {

constexpr int IconSize = 32;

constexpr int IconDirectorySize = 6;
constexpr int IconEntrySize = 16;

int MaskRowSize(int width) {
    return (width + 31) / 32 * 4;
}

ByteBuffer IconFile(const Canvas& picture) {
    std::uint32_t colour_size =
        static_cast<std::uint32_t>(PixelRowSize(picture.width) * picture.height);
    std::uint32_t mask_size =
        static_cast<std::uint32_t>(MaskRowSize(picture.width) * picture.height);
    std::uint32_t image_size = InfoHeaderSize + colour_size + mask_size;

    ByteBuffer bytes;
    AppendUint16(bytes, 0); // reserved
    AppendUint16(bytes, 1); // resource type: icon
    AppendUint16(bytes, 1); // one image
    bytes.push_back(static_cast<std::uint8_t>(picture.width));
    bytes.push_back(static_cast<std::uint8_t>(picture.height));
    bytes.push_back(0);     // no palette
    bytes.push_back(0);     // reserved
    AppendUint16(bytes, 1); // planes
    AppendUint16(bytes, 24);
    AppendUint32(bytes, image_size);
    AppendUint32(bytes, IconDirectorySize + IconEntrySize);

    AppendInfoHeader(bytes, picture.width, 2 * picture.height, colour_size + mask_size);
    AppendPixelRows(bytes, picture);
    bytes.insert(bytes.end(), mask_size, 0);
    return bytes;
}

} // namespace

int main(int argument_count, char** arguments) {
    if (argument_count != 2) {
        std::fprintf(stderr, "usage: make-icon OUTPUT.ico\n");
        return 2;
    }
    if (!WriteBytes(arguments[1], IconFile(DrawIconPicture(IconSize)))) {
        std::fprintf(stderr, "make-icon: cannot write %s\n", arguments[1]);
        return 1;
    }
    return 0;
}
