#pragma once

// Writes the resource script (.rc) of the Windows build from the same data that the other
// backends use, every resource in the version's language: one DIALOGEX per dialog
// template, with a CONTROL line per control that carries its text, id, class, style,
// position, size and extended style; the icon and the bitmap by file name; and the version
// block. The script is in code page 1254, as the texts are, and says so with
// #pragma code_page(1254). Compiling it is windres's job, and which files the names stand
// for is the build's.

#include "platform/core/dialog_template.h"
#include "resources/version_info.h"

#include <array>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

struct ResourceFile {
    int id;
    const char* file_name;
};

struct ResourceScript {
    std::span<const DialogTemplate* const> dialogs;
    ResourceFile icon;
    ResourceFile bitmap;
    const VersionInfo& version;
};

// A text as a string literal of the script, quotes included: "Sonu\xE7" stays as it is, a
// quote is doubled, backslash, CR, LF and tab become \\, \r, \n and \t, and other control
// bytes octal escapes. Throws std::invalid_argument for a byte that code page 1254 leaves
// undefined, which no text of ours may hold.
std::string QuoteResourceText(std::string_view bytes);

// "1.2" gives 1, 2, 0, 0. Throws std::invalid_argument unless the text is one to four
// numbers of at most 65535 separated by dots.
std::array<unsigned, 4> VersionNumbers(std::string_view dotted);

// Throws std::invalid_argument when a text cannot be written (above).
void WriteResourceScript(std::ostream& out, const ResourceScript& script);
