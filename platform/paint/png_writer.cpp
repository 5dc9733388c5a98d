#include "platform/paint/png_writer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <fstream>

namespace {

// The largest length that one stored deflate block can hold.
constexpr std::size_t StoredBlockLimit = 65535;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> CrcTable = MakeCrcTable();

void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

// A chunk: length, type, data, and the CRC of type and data.
void AppendChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
                 std::span<const std::uint8_t> data) {
    AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t type_start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const std::span<const std::uint8_t> covered(out.data() + type_start, 4 + data.size());
    AppendBigEndian(out, Crc32(covered));
}

// The zlib stream of the raw scanlines: header, stored blocks, Adler-32 of the raw data.
std::vector<std::uint8_t> StoredZlibStream(std::span<const std::uint8_t> raw) {
    std::vector<std::uint8_t> out = {0x78, 0x01};
    std::size_t position = 0;
    do {
        const std::size_t length = std::min(StoredBlockLimit, raw.size() - position);
        const bool is_last = position + length == raw.size();
        out.push_back(is_last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(length));
        out.push_back(static_cast<std::uint8_t>(length >> 8));
        out.push_back(static_cast<std::uint8_t>(~length));
        out.push_back(static_cast<std::uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(position),
                   raw.begin() + static_cast<std::ptrdiff_t>(position + length));
        position += length;
    } while (position < raw.size());
    AppendBigEndian(out, Adler32(raw));
    return out;
}

} // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc) {
    crc = ~crc;
    for (const std::uint8_t byte : data)
        crc = CrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
    constexpr std::uint32_t Modulus = 65521;
    std::uint32_t a = 1, b = 0;
    for (const std::uint8_t byte : data) {
        a = (a + byte) % Modulus;
        b = (b + a) % Modulus;
    }
    return b << 16 | a;
}

std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgb) {
    const std::size_t row_bytes = static_cast<std::size_t>(width) * 3;

    // Each scanline is a filter-type byte (0, none) followed by the row's pixels.
    std::vector<std::uint8_t> raw;
    raw.reserve((row_bytes + 1) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        const auto row = rgb.subspan(static_cast<std::size_t>(y) * row_bytes, row_bytes);
        raw.insert(raw.end(), row.begin(), row.end());
    }

    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    AppendBigEndian(header, static_cast<std::uint32_t>(width));
    AppendBigEndian(header, static_cast<std::uint32_t>(height));
    // Bit depth 8, colour type 2 (RGB), deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {8, 2, 0, 0, 0});
    AppendChunk(out, "IHDR", header);
    AppendChunk(out, "IDAT", StoredZlibStream(raw));
    AppendChunk(out, "IEND", {});
    return out;
}

bool WritePngFile(const std::string& path, int width, int height,
                  std::span<const std::uint8_t> rgb) {
    const std::vector<std::uint8_t> png = EncodePng(width, height, rgb);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file.flush());
}
