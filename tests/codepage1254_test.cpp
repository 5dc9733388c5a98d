#include "platform/text/codepage1254.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

namespace {

// glibc's own table of the code page, as an independent reference; nullopt for a byte that
// it leaves undefined.
std::optional<char32_t> ReferenceCodePoint(iconv_t converter, unsigned char byte) {
    char input[1] = {static_cast<char>(byte)};
    char output[4] = {};
    char* in = input;
    char* out = output;
    std::size_t in_left = 1;
    std::size_t out_left = sizeof output;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1))
        return std::nullopt;
    const auto* bytes = reinterpret_cast<unsigned char*>(output);
    return char32_t{bytes[0]} << 24 | char32_t{bytes[1]} << 16 | char32_t{bytes[2]} << 8 |
           char32_t{bytes[3]};
}

TEST(CodePage1254, EveryByteMatchesTheSystemTable) {
    const iconv_t converter = iconv_open("UTF-32BE", "CP1254");
    if (converter == reinterpret_cast<iconv_t>(-1))
        GTEST_SKIP() << "the C library has no CP1254 converter";
    for (unsigned byte = 0; byte <= 0xFF; ++byte) {
        SCOPED_TRACE(byte);
        const auto expected = ReferenceCodePoint(converter, static_cast<unsigned char>(byte));
        EXPECT_EQ(CodePage1254ToUnicode(static_cast<unsigned char>(byte)), expected.value_or(0));
    }
    iconv_close(converter);
}

TEST(CodePage1254, EveryDefinedByteRoundTrips) {
    for (unsigned byte = 0; byte <= 0xFF; ++byte) {
        SCOPED_TRACE(byte);
        const char32_t code_point = CodePage1254ToUnicode(static_cast<unsigned char>(byte));
        if (code_point == 0 && byte != 0)
            continue;
        EXPECT_EQ(UnicodeToCodePage1254(code_point), static_cast<unsigned char>(byte));
        const std::string single(1, static_cast<char>(byte));
        EXPECT_EQ(Utf8ToCodePage1254(CodePage1254ToUtf8(single)), single);
    }
}

TEST(CodePage1254, TurkishTextConvertsBothWays) {
    struct Row {
        const char* code_page;
        const char* utf8;
    };
    const Row rows[] = {
        {"Mant\xFDksal", "Mantıksal"},
        {"D\xF6n\xFC\xFE\xFCm", "Dönüşüm"},
        {"Hakk\xFDnda", "Hakkında"},
        {"S\xFD"
         "f\xFDra B\xF6l\xFCnme Hatas\xFD!",
         "Sıfıra Bölünme Hatası!"},
        {"\xDD\xFE\xC7\xD6\xDC\xD0\xDE\xE7\xF0", "İşÇÖÜĞŞçğ"},
        {"\x80 \x85 \x93x\x94 \x96 \x99", "€ … “x” – ™"},
        {"", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.utf8);
        EXPECT_EQ(CodePage1254ToUtf8(row.code_page), row.utf8);
        EXPECT_EQ(Utf8ToCodePage1254(row.utf8), row.code_page);
    }
}

TEST(CodePage1254, UndefinedBytesBecomeTheReplacementCharacter) {
    EXPECT_EQ(CodePage1254ToUtf8("a\x81"
                                 "b\x9E"),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
}

TEST(CodePage1254, RefusesWhatItCannotHold) {
    struct Row {
        const char* why;
        std::string utf8;
    };
    const Row rows[] = {
        {"Icelandic eth, whose Latin-1 place holds G with breve", "Ð"},
        {"Icelandic thorn", "þ"},
        {"y with acute", "ý"},
        {"Cyrillic", "Привет"},
        {"outside the Basic Multilingual Plane", "\xF0\x9F\x98\x80"},
        {"the replacement character itself", "\xEF\xBF\xBD"},
        {"a C1 control at an undefined byte", "\xC2\x81"},
        {"lone continuation byte", "a\x80"},
        {"truncated sequence", "\xC4"},
        {"overlong slash", "\xC0\xAF"},
        {"overlong three-byte form", "\xE0\x80\xAF"},
        {"surrogate", "\xED\xA0\x80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80"},
        {"invalid lead byte", "\xFF"},
        {"valid text before an invalid tail", "Mant\xC4\xB1ksal\xC3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(Utf8ToCodePage1254(row.utf8), std::nullopt);
    }
}

TEST(CodePage1254, KeepsTheNulCharacter) {
    const std::string with_nul("a\0b", 3);
    EXPECT_EQ(CodePage1254ToUtf8(with_nul), with_nul);
    EXPECT_EQ(Utf8ToCodePage1254(with_nul), with_nul);
}

} // namespace
