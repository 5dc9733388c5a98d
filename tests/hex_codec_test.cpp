#include "operand/hex_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>

TEST(ParseHex32, ReadsOperandTexts) {
    struct Row {
        const char* text;
        std::uint32_t value;
    };
    const Row rows[] = {
        {"", 0},
        {"0", 0},
        {"F", 15},
        {"10", 16},
        {"1A", 26},
        {"00000010", 16}, // leading zeros are allowed
        {"7FFFFFFF", 0x7FFFFFFFu},
        {"80000000", 0x80000000u},
        {"FFFFFFFF", 0xFFFFFFFFu},
        {"ABCDEF09", 0xABCDEF09u},
        {"123456789", 0x23456789u}, // only the last eight digits count
        // A foreign character ends the parse, leaving one zero digit behind what was read.
        {"12G4", 0x120},
        {"1a", 0x10},
        {"G", 0},
        {"-1", 0},
        {"12 ", 0x120},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("text \"") + row.text + "\"");
        EXPECT_EQ(ParseHex32(row.text, static_cast<std::uint32_t>(std::strlen(row.text))),
                  row.value);
    }
}

TEST(ParseHex32, StopsAtTheCount) {
    EXPECT_EQ(ParseHex32("1234", 2), 0x12u);
    EXPECT_EQ(ParseHex32("1234", 0), 0u);
    // Exactly four bytes and no terminator: reading a fifth would trip the address checker.
    std::unique_ptr<char[]> digits(new char[4]{'C', 'A', 'F', 'E'});
    EXPECT_EQ(ParseHex32(digits.get(), 4), 0xCAFEu);
}

TEST(ParseHex32, StopsAtTheTerminatorWithinTheCount) {
    // A count past the text's end meets the zero byte, a foreign character, and stops there.
    std::unique_ptr<char[]> text(new char[3]{'4', '2', '\0'});
    EXPECT_EQ(ParseHex32(text.get(), 3), 0x420u);
}

TEST(FormatHex32, WritesEightUpperCaseDigits) {
    struct Row {
        std::uint32_t value;
        const char* text;
    };
    const Row rows[] = {
        {0, "00000000"},           {26, "0000001A"},          {2748, "00000ABC"},
        {0x80000000u, "80000000"}, {0xFFFFFFFFu, "FFFFFFFF"}, {0x0F1E2D3Cu, "0F1E2D3C"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        char text[9];
        FormatHex32(row.value, text);
        EXPECT_STREQ(text, row.text);
    }
}

TEST(FormatHex32, ParsesBackToTheSameValue) {
    std::mt19937 engine(20240611);
    for (int sample = 0; sample < 100000; ++sample) {
        const std::uint32_t value = engine();
        char text[9];
        FormatHex32(value, text);
        ASSERT_EQ(ParseHex32(text, 8), value) << text;
    }
}
