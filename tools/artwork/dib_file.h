#pragma once

// Device-independent bitmaps: little-endian fields, the 40-byte BITMAPINFOHEADER and the
// 24-bit pixel rows, stored bottom-up in blue-green-red order, each row padded to a multiple
// of 4 bytes, and the whole .bmp file made of them. The .ico layout around the same pieces is
// left to the icon generator.

#include "tools/artwork/canvas.h"

#include <cstdint>
#include <string>
#include <vector>

using ByteBuffer = std::vector<std::uint8_t>;

constexpr int InfoHeaderSize = 40;

void AppendUint16(ByteBuffer& bytes, std::uint16_t value);
void AppendUint32(ByteBuffer& bytes, std::uint32_t value);

int PixelRowSize(int width); // bytes of one 24-bit row, padding included

// height_field is the height written into the header: the picture's height for a .bmp,
// twice that for an icon image (colour rows and mask rows).
void AppendInfoHeader(ByteBuffer& bytes, int width, int height_field, std::uint32_t image_size);

void AppendPixelRows(ByteBuffer& bytes, const Canvas& canvas);

// A .bmp file of the picture: 14-byte file header, info header, pixel rows, uncompressed.
ByteBuffer BitmapFile(const Canvas& picture);

// False when the file cannot be written whole.
bool WriteBytes(const std::string& path, const ByteBuffer& bytes);
