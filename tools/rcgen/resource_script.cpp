#include "tools/rcgen/resource_script.h"

#include "platform/text/codepage1254.h"

#include <charconv>
#include <cstdio>
#include <ostream>
#include <stdexcept>

namespace {

// Window style bits that a CONTROL line of a resource script sets unless told otherwise.
constexpr std::uint32_t ControlDefaultBits[] = {0x40000000u /* WS_CHILD */,
                                                0x10000000u /* WS_VISIBLE */};

std::string Hex(std::uint32_t value) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

// The style of a CONTROL line: the number, and a NOT for each default bit it leaves clear,
// so that the compiled control has exactly the template's style.
std::string ControlStyle(std::uint32_t style) {
    std::string text = Hex(style);
    for (std::uint32_t bit : ControlDefaultBits) {
        if ((style & bit) == 0) {
            text += " | NOT " + Hex(bit);
        }
    }
    return text;
}

// A picture names its bitmap resource by number in the place of its text.
std::string ControlText(const ControlTemplate& control) {
    if (control.resource_id != 0) {
        return std::to_string(control.resource_id);
    }
    return QuoteResourceText(control.text != nullptr ? control.text : "");
}

void WriteDialog(std::ostream& out, const DialogTemplate& dialog) {
    out << dialog.id << " DIALOGEX " << dialog.x << ", " << dialog.y << ", " << dialog.width << ", "
        << dialog.height << "\n";
    out << "STYLE " << Hex(dialog.style) << "\n";
    out << "EXSTYLE " << Hex(dialog.ex_style) << "\n";
    if (dialog.caption != nullptr) {
        out << "CAPTION " << QuoteResourceText(dialog.caption) << "\n";
    }
    // Weight and italic 0, character set 1: the default character set.
    out << "FONT " << dialog.font_points << ", " << QuoteResourceText(dialog.font_face)
        << ", 0, 0, 1\n";
    out << "BEGIN\n";
    for (const ControlTemplate& control : dialog.controls) {
        out << "    CONTROL " << ControlText(control) << ", " << control.id << ", "
            << QuoteResourceText(control.class_name) << ", " << ControlStyle(control.style) << ", "
            << control.x << ", " << control.y << ", " << control.width << ", " << control.height
            << ", " << Hex(control.ex_style) << "\n";
    }
    out << "END\n\n";
}

void WriteVersion(std::ostream& out, const VersionInfo& version) {
    auto numbers = [](const std::array<unsigned, 4>& parts) {
        return std::to_string(parts[0]) + ", " + std::to_string(parts[1]) + ", " +
               std::to_string(parts[2]) + ", " + std::to_string(parts[3]);
    };
    char block[9];
    std::snprintf(block, sizeof block, "%04X%04X", version.language, version.code_page);
    char translation[32];
    std::snprintf(translation, sizeof translation, "0x%04X, 0x%04X", version.language,
                  version.code_page);
    out << "1 VERSIONINFO\n"
        << "FILEVERSION " << numbers(VersionNumbers(version.file_version)) << "\n"
        << "PRODUCTVERSION " << numbers(VersionNumbers(version.product_version)) << "\n"
        << "FILEFLAGSMASK 0x3F\n"
        << "FILEFLAGS 0x0\n"
        << "FILEOS 0x40004\n" // VOS_NT_WINDOWS32
        << "FILETYPE 0x1\n"   // VFT_APP
        << "FILESUBTYPE 0x0\n"
        << "BEGIN\n"
        << "    BLOCK \"StringFileInfo\"\n"
        << "    BEGIN\n"
        << "        BLOCK \"" << block << "\"\n"
        << "        BEGIN\n"
        << "            VALUE \"CompanyName\", " << QuoteResourceText(version.company) << "\n"
        << "            VALUE \"FileDescription\", " << QuoteResourceText(version.product_name)
        << "\n"
        << "            VALUE \"FileVersion\", " << QuoteResourceText(version.file_version) << "\n"
        << "            VALUE \"ProductName\", " << QuoteResourceText(version.product_name) << "\n"
        << "            VALUE \"ProductVersion\", " << QuoteResourceText(version.product_version)
        << "\n"
        << "        END\n"
        << "    END\n"
        << "    BLOCK \"VarFileInfo\"\n"
        << "    BEGIN\n"
        << "        VALUE \"Translation\", " << translation << "\n"
        << "    END\n"
        << "END\n";
}

} // namespace

std::string QuoteResourceText(std::string_view bytes) {
    std::string quoted = "\"";
    for (char raw : bytes) {
        auto byte = static_cast<unsigned char>(raw);
        switch (byte) {
        case '"':
            quoted += "\"\"";
            continue;
        case '\\':
            quoted += "\\\\";
            continue;
        case '\r':
            quoted += "\\r";
            continue;
        case '\n':
            quoted += "\\n";
            continue;
        case '\t':
            quoted += "\\t";
            continue;
        default:
            break;
        }
        if (byte < 0x20 || byte == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\%03o", byte);
            quoted += escape;
        } else if (byte >= 0x80 && CodePage1254ToUnicode(byte) == 0) {
            char message[64];
            std::snprintf(message, sizeof message, "byte 0x%02X is not in code page 1254", byte);
            throw std::invalid_argument(message);
        } else {
            quoted += raw;
        }
    }
    return quoted + "\"";
}

std::array<unsigned, 4> VersionNumbers(std::string_view dotted) {
    std::array<unsigned, 4> parts{};
    std::size_t count = 0;
    const char* at = dotted.data();
    const char* end = dotted.data() + dotted.size();
    while (true) {
        unsigned value = 0;
        auto [next, error] = std::from_chars(at, end, value);
        if (error != std::errc() || value > 0xFFFF || count == parts.size()) {
            throw std::invalid_argument("not a version: " + std::string(dotted));
        }
        parts[count++] = value;
        if (next == end) {
            return parts;
        }
        if (*next != '.') {
            throw std::invalid_argument("not a version: " + std::string(dotted));
        }
        at = next + 1;
    }
}

void WriteResourceScript(std::ostream& out, const ResourceScript& script) {
    // Every resource in the version block's language: a Windows language id is the primary
    // language in its low ten bits and the sublanguage above them.
    char language[32];
    std::snprintf(language, sizeof language, "LANGUAGE 0x%02X, 0x%X",
                  script.version.language & 0x3FF, script.version.language >> 10);
    out << "// The program's resources, generated from resources/ by kalvetra-rcgen.\n"
        << "#pragma code_page(1254)\n"
        << language << "\n\n";
    for (const DialogTemplate* dialog : script.dialogs) {
        WriteDialog(out, *dialog);
    }
    out << script.icon.id << " ICON " << QuoteResourceText(script.icon.file_name) << "\n";
    out << script.bitmap.id << " BITMAP " << QuoteResourceText(script.bitmap.file_name) << "\n\n";
    WriteVersion(out, script.version);
}
