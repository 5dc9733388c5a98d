#include "platform/text/codepage1254.h"

#include <algorithm>
#include <array>

namespace {

// Bytes 0x80..0x9F, where code page 1254 differs most from Latin-1. Zero marks the bytes the
// code page leaves undefined.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80..0x87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0,      0,      // 0x88..0x8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90..0x97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178, // 0x98..0x9F
};

// The six Turkish letters that take the place of Icelandic ones in the Latin-1 range.
char32_t TurkishLetter(unsigned char byte) {
    switch (byte) {
    case 0xD0:
        return 0x011E; // Ğ
    case 0xDD:
        return 0x0130; // İ
    case 0xDE:
        return 0x015E; // Ş
    case 0xF0:
        return 0x011F; // ğ
    case 0xFD:
        return 0x0131; // ı
    case 0xFE:
        return 0x015F; // ş
    default:
        return byte;
    }
}

void AppendUtf8(std::string& out, char32_t code_point) {
    if (code_point < 0x80) {
        out += static_cast<char>(code_point);
    } else if (code_point < 0x800) {
        out += static_cast<char>(0xC0 | (code_point >> 6));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else {
        // Every character of the code page lies in the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (code_point >> 12));
        out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    }
}

} // namespace

std::optional<char32_t> ReadUtf8(std::string_view text, std::size_t& position) {
    const auto lead = static_cast<unsigned char>(text[position++]);
    if (lead < 0x80)
        return lead;
    int continuation_count;
    char32_t code_point;
    char32_t smallest;
    if ((lead & 0xE0) == 0xC0) {
        continuation_count = 1;
        code_point = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        continuation_count = 2;
        code_point = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        continuation_count = 3;
        code_point = lead & 0x07;
        smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    for (int i = 0; i < continuation_count; ++i) {
        if (position >= text.size())
            return std::nullopt;
        const auto next = static_cast<unsigned char>(text[position++]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        code_point = (code_point << 6) | (next & 0x3F);
    }
    if (code_point < smallest || code_point > 0x10FFFF ||
        (code_point >= 0xD800 && code_point <= 0xDFFF))
        return std::nullopt;
    return code_point;
}

char32_t CodePage1254ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0)
        return HighControlRange[byte - 0x80];
    return TurkishLetter(byte);
}

std::optional<unsigned char> UnicodeToCodePage1254(char32_t code_point) {
    if (code_point < 0x80)
        return static_cast<unsigned char>(code_point);
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
        if (CodePage1254ToUnicode(static_cast<unsigned char>(byte)) == code_point)
            return static_cast<unsigned char>(byte);
    }
    return std::nullopt;
}

std::string CodePage1254ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        const char32_t code_point = CodePage1254ToUnicode(static_cast<unsigned char>(byte));
        AppendUtf8(out, code_point == 0 && byte != 0 ? char32_t{0xFFFD} : code_point);
    }
    return out;
}

std::optional<std::string> Utf8ToCodePage1254(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t position = 0;
    while (position < utf8.size()) {
        const auto code_point = ReadUtf8(utf8, position);
        if (!code_point)
            return std::nullopt;
        const auto byte = UnicodeToCodePage1254(*code_point);
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

char UpperCaseByte(char byte) {
    const auto code = static_cast<unsigned char>(byte);
    if (code >= 'a' && code <= 'z') {
        return static_cast<char>(code - 0x20);
    }
    switch (code) {
    case 0xFD: // ı, dotless i
        return 'I';
    case 0x9A: // š
        return static_cast<char>(0x8A);
    case 0x9C: // œ
        return static_cast<char>(0x8C);
    case 0xFF: // ÿ
        return static_cast<char>(0x9F);
    case 0xF7: // ÷ has no capital
        return byte;
    default:
        break;
    }
    if (code >= 0xE0 && code <= 0xFE) { // à..þ, ğ, ş to their capitals 0x20 lower
        return static_cast<char>(code - 0x20);
    }
    return byte;
}

std::string UpperCaseText(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), UpperCaseByte);
    return result;
}
