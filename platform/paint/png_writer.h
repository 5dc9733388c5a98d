#pragma once

// Encodes an RGB picture as a PNG file: colour type 2, 8 bits a channel, no interlace, each
// row unfiltered, and the image data in uncompressed ("stored") deflate blocks. Small and
// dependency-free, for screenshots; it does not compress, read PNG files or know any display.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// rgb holds height rows of width * 3 bytes (red, green, blue), top row first.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgb);
// Writes EncodePng's result to path; false when the file cannot be written.
bool WritePngFile(const std::string& path, int width, int height,
                  std::span<const std::uint8_t> rgb);

// The two checksums that PNG needs: the chunk CRC (ISO 3309, as in zlib's crc32) and the
// zlib stream's Adler-32.
std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc = 0);
std::uint32_t Adler32(std::span<const std::uint8_t> data);
