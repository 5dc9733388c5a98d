#include "tools/script/script_text.h"

#include "platform/text/codepage1254.h"

#include <cstdio>

// "\x41" for the byte 0x41.
static std::string ByteEscape(unsigned char byte) {
    char escape[5];
    std::snprintf(escape, sizeof escape, "\\x%02X", byte);
    return escape;
}

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
        const std::optional<char32_t> code_point = ReadUtf8(text, at);
        if (!code_point) {
            return std::nullopt;
        }
        characters.push_back({UnicodeToCodePage1254(*code_point), *code_point});
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
            printed += ByteEscape(byte);
            continue;
        }
        printed += CodePage1254ToUtf8(std::string_view(&raw, 1));
    }
    return printed;
}

std::string EscapeScriptLine(std::string_view line) {
    std::string shown;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t start = at;
        const std::optional<char32_t> code_point = ReadUtf8(line, at);
        const bool is_control =
            code_point && (*code_point < 0x20 || (*code_point >= 0x7F && *code_point < 0xA0));
        if (code_point && !is_control) {
            shown.append(line.substr(start, at - start));
            continue;
        }
        // A control character is shown byte by byte; of a malformed sequence only its first
        // byte, and reading goes on at the next.
        at = code_point ? at : start + 1;
        for (std::size_t index = start; index < at; ++index) {
            shown += ByteEscape(static_cast<unsigned char>(line[index]));
        }
    }
    return shown;
}
