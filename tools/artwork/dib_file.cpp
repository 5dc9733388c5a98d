// Device-independent bitmap fields and pixel rows.

#include "tools/artwork/dib_file.h"

#include <fstream>

void AppendUint16(ByteBuffer& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void AppendUint32(ByteBuffer& bytes, std::uint32_t value) {
    AppendUint16(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
    AppendUint16(bytes, static_cast<std::uint16_t>(value >> 16));
}

int PixelRowSize(int width) {
    return (width * 3 + 3) / 4 * 4;
}

void AppendInfoHeader(ByteBuffer& bytes, int width, int height_field, std::uint32_t image_size) {
    constexpr std::uint32_t NoCompression = 0;     // BI_RGB
    constexpr std::uint32_t PixelsPerMetre = 2835; // 72 dots per inch
    AppendUint32(bytes, InfoHeaderSize);
    AppendUint32(bytes, static_cast<std::uint32_t>(width));
    AppendUint32(bytes, static_cast<std::uint32_t>(height_field)); // positive: bottom-up
    AppendUint16(bytes, 1);                                        // planes
    AppendUint16(bytes, 24);                                       // bits per pixel
    AppendUint32(bytes, NoCompression);
    AppendUint32(bytes, image_size);
    AppendUint32(bytes, PixelsPerMetre);
    AppendUint32(bytes, PixelsPerMetre);
    AppendUint32(bytes, 0); // colours used: none, no palette
    AppendUint32(bytes, 0); // important colours: all
}

void AppendPixelRows(ByteBuffer& bytes, const Canvas& canvas) {
    int padding = PixelRowSize(canvas.width) - canvas.width * 3;
    for (int y = canvas.height - 1; y >= 0; --y) {
        for (int x = 0; x < canvas.width; ++x) {
            const Colour& pixel = canvas.pixels[static_cast<std::size_t>(y * canvas.width + x)];
            bytes.push_back(pixel.blue);
            bytes.push_back(pixel.green);
            bytes.push_back(pixel.red);
        }
        bytes.insert(bytes.end(), static_cast<std::size_t>(padding), 0);
    }
}

ByteBuffer BitmapFile(const Canvas& picture) {
    constexpr std::uint32_t FileHeaderSize = 14;
    std::uint32_t image_size =
        static_cast<std::uint32_t>(PixelRowSize(picture.width) * picture.height);
    std::uint32_t pixel_offset = FileHeaderSize + InfoHeaderSize;
    ByteBuffer bytes;
    bytes.push_back('B');
    bytes.push_back('M');
    AppendUint32(bytes, pixel_offset + image_size); // file size
    AppendUint32(bytes, 0);                         // reserved
    AppendUint32(bytes, pixel_offset);
    AppendInfoHeader(bytes, picture.width, picture.height, image_size);
    AppendPixelRows(bytes, picture);
    return bytes;
}

bool WriteBytes(const std::string& path, const ByteBuffer& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}
