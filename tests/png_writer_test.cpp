#include "platform/paint/png_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::uint32_t ReadBigEndian(const std::vector<std::uint8_t>& data, std::size_t at) {
    return std::uint32_t{data[at]} << 24 | std::uint32_t{data[at + 1]} << 16 |
           std::uint32_t{data[at + 2]} << 8 | data[at + 3];
}

struct Chunk {
    std::string type;
    std::vector<std::uint8_t> data;
};

// Splits a PNG file into its chunks, checking the signature and every chunk's CRC.
std::vector<Chunk> ReadChunks(const std::vector<std::uint8_t>& png) {
    const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    std::vector<Chunk> chunks;
    std::size_t at = signature.size();
    while (at + 12 <= png.size()) {
        const std::uint32_t length = ReadBigEndian(png, at);
        EXPECT_LE(at + 12 + length, png.size());
        Chunk chunk;
        chunk.type.assign(png.begin() + at + 4, png.begin() + at + 8);
        chunk.data.assign(png.begin() + at + 8, png.begin() + at + 8 + length);
        const std::span<const std::uint8_t> covered(png.data() + at + 4, 4 + length);
        EXPECT_EQ(ReadBigEndian(png, at + 8 + length), Crc32(covered)) << chunk.type;
        chunks.push_back(std::move(chunk));
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    return chunks;
}

// Undoes a zlib stream made of stored blocks only, checking its header, each block's length
// complement and the closing Adler-32; counts the blocks.
std::vector<std::uint8_t> InflateStored(const std::vector<std::uint8_t>& stream, int& block_count) {
    EXPECT_EQ((stream[0] * 256 + stream[1]) % 31, 0);
    EXPECT_EQ(stream[0] & 0x0F, 8); // deflate
    std::vector<std::uint8_t> raw;
    std::size_t at = 2;
    block_count = 0;
    bool is_last = false;
    while (!is_last) {
        is_last = stream[at] & 1;
        EXPECT_EQ(stream[at] >> 1, 0) << "only stored blocks";
        const unsigned length = stream[at + 1] | stream[at + 2] << 8;
        const unsigned complement = stream[at + 3] | stream[at + 4] << 8;
        EXPECT_EQ(length ^ 0xFFFF, complement);
        raw.insert(raw.end(), stream.begin() + at + 5, stream.begin() + at + 5 + length);
        at += 5 + length;
        ++block_count;
    }
    EXPECT_EQ(ReadBigEndian(stream, at), Adler32(raw));
    EXPECT_EQ(at + 4, stream.size());
    return raw;
}

TEST(PngWriter, ChecksumsMatchKnownValues) {
    EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
    EXPECT_EQ(Crc32(Bytes("")), 0u);
    EXPECT_EQ(Crc32(Bytes("56789"), Crc32(Bytes("1234"))), 0xCBF43926u);
    EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
    EXPECT_EQ(Adler32(Bytes("")), 1u);
    // Long enough for both sums to wrap around the modulus many times.
    const std::vector<std::uint8_t> ones(100000, 0xFF);
    EXPECT_EQ(Adler32(ones), 0x149A302Cu);
}

TEST(PngWriter, PixelsSurviveARoundTrip) {
    struct Row {
        int width, height;
        int expected_blocks;
    };
    const Row rows[] = {
        {1, 1, 1},
        {3, 2, 1},
        // 150 scanlines of 1 + 600 bytes need two stored blocks.
        {200, 150, 2},
        // 771 scanlines of 1 + 84 bytes are exactly 65535 bytes: one full block; one more
        // scanline spills into a second.
        {28, 771, 1},
        {28, 772, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.width) + "x" + std::to_string(row.height));
        std::vector<std::uint8_t> rgb(static_cast<std::size_t>(row.width) * row.height * 3);
        for (std::size_t i = 0; i < rgb.size(); ++i)
            rgb[i] = static_cast<std::uint8_t>(i * 7 + i / 3);

        const std::vector<Chunk> chunks = ReadChunks(EncodePng(row.width, row.height, rgb));
        ASSERT_EQ(chunks.size(), 3u);
        EXPECT_EQ(chunks[0].type, "IHDR");
        EXPECT_EQ(chunks[1].type, "IDAT");
        EXPECT_EQ(chunks[2].type, "IEND");
        EXPECT_TRUE(chunks[2].data.empty());

        const std::vector<std::uint8_t>& header = chunks[0].data;
        ASSERT_EQ(header.size(), 13u);
        EXPECT_EQ(ReadBigEndian(header, 0), static_cast<std::uint32_t>(row.width));
        EXPECT_EQ(ReadBigEndian(header, 4), static_cast<std::uint32_t>(row.height));
        EXPECT_EQ(header[8], 8);  // bits a channel
        EXPECT_EQ(header[9], 2);  // RGB
        EXPECT_EQ(header[12], 0); // no interlace

        int block_count = 0;
        const std::vector<std::uint8_t> raw = InflateStored(chunks[1].data, block_count);
        EXPECT_EQ(block_count, row.expected_blocks);
        const std::size_t stride = static_cast<std::size_t>(row.width) * 3;
        ASSERT_EQ(raw.size(), (stride + 1) * row.height);
        std::vector<std::uint8_t> decoded;
        for (int y = 0; y < row.height; ++y) {
            const auto line = raw.begin() + static_cast<std::ptrdiff_t>(y * (stride + 1));
            EXPECT_EQ(*line, 0) << "filter type of row " << y;
            decoded.insert(decoded.end(), line + 1, line + 1 + static_cast<std::ptrdiff_t>(stride));
        }
        EXPECT_EQ(decoded, rgb);
    }
}

TEST(PngWriter, WritesTheEncodedFile) {
    const std::vector<std::uint8_t> rgb = {255, 0, 0, 0, 255, 0};
    const std::string path = ::testing::TempDir() + "png_writer_test.png";
    ASSERT_TRUE(WritePngFile(path, 2, 1, rgb));
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> written{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(written, EncodePng(2, 1, rgb));
    std::remove(path.c_str());
    EXPECT_FALSE(WritePngFile("/nonexistent-folder/x.png", 2, 1, rgb));
}

} // namespace
