#include "convert/binary_text.h"
#include "convert/decimal_text.h"
#include "convert/hex_pairs.h"
#include "convert/octal_text.h"
#include "convert/reverse_string.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {

std::string Binary(std::uint32_t value) {
    char text[33];
    FormatBinary32(value, text);
    return text;
}

// The octal field's text: FormatOctal's digits reversed.
std::string ShownOctal(std::uint32_t value) {
    char scratch[OctalScratchSize];
    char shown[OctalScratchSize];
    FormatOctal(value, scratch);
    return ReverseString(scratch, shown);
}

std::string Decoded(const std::string& pairs) {
    char pair_text[HexPairBufferSize] = {};
    std::memcpy(pair_text, pairs.data(), pairs.size());
    char decoded[HexPairBufferSize];
    const int length = DecodeHexPairs(pair_text, static_cast<std::uint32_t>(pairs.size()), decoded);
    EXPECT_EQ(length, static_cast<int>(std::strlen(decoded)));
    return decoded;
}

std::string Encoded(const std::string& text) {
    char pair_text[HexPairBufferSize];
    const int length = EncodeHexPairs(text.c_str(), pair_text);
    EXPECT_EQ(length, static_cast<int>(std::strlen(pair_text)));
    return pair_text;
}

} // namespace

TEST(FormatBinary32, WritesAllThirtyTwoDigits) {
    struct Row {
        std::uint32_t value;
        std::string text;
    };
    const Row rows[] = {
        {0, std::string(32, '0')},
        {5, std::string(29, '0') + "101"},
        {0x12345678u, "00010010001101000101011001111000"},
        {0x7FFFFFFFu, "0" + std::string(31, '1')},
        {0x80000000u, "1" + std::string(31, '0')},
        {0xFFFFFFFFu, std::string(32, '1')},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(Binary(row.value), row.text);
    }
}

TEST(ParseBinary32, ReadsByCharacterCode) {
    struct Row {
        std::string text;
        std::uint32_t value;
    };
    const Row rows[] = {
        {"0", 0},
        {"101", 5},
        {std::string(32, '1'), 0xFFFFFFFFu},
        {"1" + std::string(32, '0'), 0}, // the 33rd digit from the end is shifted out
        {"0001", 1},
        // Pasted text is read by its codes: '2' - '0' = 2 is OR-ed into the doubled 1.
        {"12", 2},
        {"3", 3},
        {" ", 0xF0},                // 0x20 - 0x30 wraps to the byte 0xF0
        {std::string("1\0", 2), 2}, // a zero byte within the count is digit 0
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("text \"" + row.text + "\"");
        EXPECT_EQ(ParseBinary32(row.text.data(), static_cast<std::uint32_t>(row.text.size())),
                  row.value);
    }
}

TEST(ParseBinary32, ReadsBackFormattedDigits) {
    std::mt19937 engine(7);
    for (int sample = 0; sample < 100000; ++sample) {
        const std::uint32_t value = engine();
        ASSERT_EQ(ParseBinary32(Binary(value).c_str(), 32), value);
    }
}

TEST(FormatOctal, ShowsTwoDigitsBelowEight) {
    for (std::uint32_t value = 0; value < 8; ++value) {
        SCOPED_TRACE(value);
        EXPECT_EQ(ShownOctal(value), std::string("0") + static_cast<char>('0' + value));
    }
}

TEST(FormatOctal, ShowsPlainDigitsFromEightOn) {
    struct Row {
        std::uint32_t value;
        const char* shown;
    };
    const Row rows[] = {
        {8, "10"},
        {0x40, "100"},
        {0x12345678u, "2215053170"},
        {0x7FFFFFFFu, "17777777777"},
        {0x80000000u, "20000000000"},
        {0xFFFFFFFFu, "37777777777"}, // the longest text, 11 digits
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.shown);
        EXPECT_EQ(ShownOctal(row.value), row.shown);
    }
}

TEST(FormatOctal, WritesLeastSignificantDigitFirst) {
    char scratch[OctalScratchSize];
    FormatOctal(8, scratch);
    EXPECT_STREQ(scratch, "01");
    FormatOctal(5, scratch);
    EXPECT_STREQ(scratch, "50");
}

TEST(FormatOctal, AgreesWithTheLibraryFromEightOn) {
    std::mt19937 engine(8);
    for (int sample = 0; sample < 100000; ++sample) {
        const std::uint32_t value = engine() | 8u;
        char expected[16];
        std::snprintf(expected, sizeof expected, "%o", static_cast<unsigned>(value));
        ASSERT_EQ(ShownOctal(value), expected);
    }
}

TEST(ReverseString, ReversesTheCopy) {
    struct Row {
        const char* source;
        const char* reversed;
    };
    const Row rows[] = {{"", ""}, {"a", "a"}, {"ab", "ba"}, {"abc", "cba"}, {"abcd", "dcba"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.source);
        char destination[8];
        EXPECT_EQ(ReverseString(row.source, destination), destination);
        EXPECT_STREQ(destination, row.reversed);
    }
}

TEST(DecimalText, ReadsTheBitsSignedAndUnsigned) {
    struct Row {
        std::uint32_t value;
        const char* signed_text;
        const char* unsigned_text;
    };
    const Row rows[] = {
        {0, "0", "0"},
        {5, "5", "5"},
        {0x7FFFFFFFu, "2147483647", "2147483647"},
        {0x80000000u, "-2147483648", "2147483648"},
        {0xFFFFFFFFu, "-1", "4294967295"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.unsigned_text);
        char text[DecimalTextSize];
        FormatSignedDecimal(row.value, text);
        EXPECT_STREQ(text, row.signed_text);
        FormatUnsignedDecimal(row.value, text);
        EXPECT_STREQ(text, row.unsigned_text);
    }
}

TEST(DecimalText, AgreesWithTheLibrary) {
    std::mt19937 engine(10);
    for (int sample = 0; sample < 100000; ++sample) {
        const std::uint32_t value = engine();
        char expected[DecimalTextSize];
        char text[DecimalTextSize];
        std::snprintf(expected, sizeof expected, "%d", static_cast<std::int32_t>(value));
        FormatSignedDecimal(value, text);
        ASSERT_STREQ(text, expected);
        std::snprintf(expected, sizeof expected, "%u", static_cast<unsigned>(value));
        FormatUnsignedDecimal(value, text);
        ASSERT_STREQ(text, expected);
    }
}

TEST(DecodeHexPairs, DecodesTheDigitsTwoByTwo) {
    struct Row {
        const char* pairs;
        const char* text;
    };
    const Row rows[] = {
        {"41 42", "AB"},     {"41 4", "A"}, // the unpaired last digit is ignored
        {"4", ""},                          // fewer than two characters
        {"4 ", ""},                         // no complete pair
        {" 41", ""},                        // begins with a space
        {"4 1", "A"},                       // spaces count nowhere, not even inside a pair
        {"4142", "AB"},                     // pairs need no space between them
        {"41  42", "AB"},    {"00", "."},   // a zero byte would end the text early
        {"41 00 42", "A.B"}, {"FF", "\xFF"}, {"7E 20 DD", "~ \xDD"}, // "~ İ" in code page 1254
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("pairs \"") + row.pairs + "\"");
        EXPECT_EQ(Decoded(row.pairs), row.text);
    }
}

TEST(DecodeHexPairs, DecodesAFullField) {
    std::string pairs = "41";
    for (int pair = 1; pair < 35; ++pair)
        pairs += " 41";
    ASSERT_EQ(pairs.size(), 104u);
    EXPECT_EQ(Decoded(pairs), std::string(35, 'A'));
}

TEST(EncodeHexPairs, WritesSpacedUpperCasePairs) {
    struct Row {
        std::string text;
        const char* pairs;
    };
    const Row rows[] = {
        {"AB", "41 42"}, {"", ""}, {"\xFE", "FE"}, {"\t", "09"}, {".", "2E"}, {"a z", "61 20 7A"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pairs);
        EXPECT_EQ(Encoded(row.text), row.pairs);
    }
}

TEST(EncodeHexPairs, EncodesTheFirstThirtyFiveCharactersOnly) {
    const std::string pairs = Encoded(std::string(35, 'B') + "CCCCC");
    EXPECT_EQ(pairs.size(), 104u);
    EXPECT_EQ(pairs.substr(pairs.size() - 5), "42 42");
}

TEST(HexPairs, EveryByteTravelsBothWays) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", byte);
        const std::string text(1, byte == 0 ? '.' : static_cast<char>(byte));
        EXPECT_EQ(Decoded(pair), text);
        if (byte != 0) { // a zero byte cannot stand in a terminated text
            EXPECT_EQ(Encoded(text), pair);
        }
    }
}
