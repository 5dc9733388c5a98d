#include "tools/script/script_text.h"

#include "platform/text/codepage1254.h"

#include <cstdio>

static int HexValue(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    return -1;
}

// Decodes one UTF-8 character at text[at]; returns its length, or 0 when it is invalid.
static std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& code_point) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(at);
    std::size_t length = lead < 0x80           ? 1
                         : (lead >> 5) == 0x6  ? 2
                         : (lead >> 4) == 0xE  ? 3
                         : (lead >> 3) == 0x1E ? 4
                                               : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    code_point = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
        code_point = (code_point << 6) | (byte(at + i) & 0x3F);
    }
    return length;
}

std::optional<std::vector<ScriptCharacter>> ParseScriptText(std::string_view text) {
    std::vector<ScriptCharacter> characters;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == '\\') {
            if (at + 1 >= text.size()) {
                return std::nullopt;
            }
            char escape = text[at + 1];
            at += 2;
            switch (escape) {
            case '\\':
                characters.push_back({'\\', '\\'});
                continue;
            case 'b':
                characters.push_back({'\b', '\b'});
                continue;
            case 't':
                characters.push_back({'\t', '\t'});
                continue;
            case 'r':
                characters.push_back({'\r', '\r'});
                continue;
            case 'n':
                characters.push_back({'\n', '\n'});
                continue;
            case 'x': {
                int high = at < text.size() ? HexValue(text[at]) : -1;
                int low = at + 1 < text.size() ? HexValue(text[at + 1]) : -1;
                if (high < 0 || low < 0) {
                    return std::nullopt;
                }
                const auto byte = static_cast<unsigned char>(high * 16 + low);
                const char32_t code_point = CodePage1254ToUnicode(byte);
                characters.push_back({byte, code_point != 0 ? code_point : U'\uFFFD'});
                at += 2;
                continue;
            }
            default:
                return std::nullopt;
            }
        }
        char32_t code_point = 0;
        std::size_t length = DecodeUtf8(text, at, code_point);
        if (length == 0) {
            return std::nullopt;
        }
        at += length;
        characters.push_back({UnicodeToCodePage1254(code_point), code_point});
    }
    return characters;
}

std::optional<std::string> JoinScriptText(const std::vector<ScriptCharacter>& characters) {
    std::string bytes;
    for (const ScriptCharacter& character : characters) {
        if (!character.byte) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(*character.byte));
    }
    return bytes;
}

std::u32string ScriptCodePoints(const std::vector<ScriptCharacter>& characters) {
    std::u32string code_points;
    for (const ScriptCharacter& character : characters) {
        code_points.push_back(character.code_point);
    }
    return code_points;
}

std::string EscapeForPrinting(std::string_view code_page_text) {
    std::string printed;
    for (char raw : code_page_text) {
        auto byte = static_cast<unsigned char>(raw);
        switch (byte) {
        case '\\':
            printed += "\\\\";
            continue;
        case '\r':
            printed += "\\r";
            continue;
        case '\n':
            printed += "\\n";
            continue;
        case '\t':
            printed += "\\t";
            continue;
        default:
            break;
        }
        if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && CodePage1254ToUnicode(byte) == 0)) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            printed += escape;
            continue;
        }
        printed += CodePage1254ToUtf8(std::string_view(&raw, 1));
    }
    return printed;
}
