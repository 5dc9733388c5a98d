#pragma once

// Windows code page 1254 (Turkish): to and from UTF-8, and upper case. The window system
// keeps every text in code page 1254 bytes; only the display backends convert, at their edge.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The Unicode code point of a byte; 0 for the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8E, 0x8F, 0x90, 0x9D, 0x9E).
char32_t CodePage1254ToUnicode(unsigned char byte);
// The byte for a code point; nullopt when the code page has no such character.
std::optional<unsigned char> UnicodeToCodePage1254(char32_t code_point);

// One UTF-8 character at position, which moves past what was read; nullopt for a malformed,
// overlong or surrogate sequence, or one beyond U+10FFFF.
std::optional<char32_t> ReadUtf8(std::string_view text, std::size_t& position);

// Whole texts. Undefined bytes become U+FFFD; a UTF-8 text with a character the code page
// lacks, or with invalid UTF-8, gives nullopt: nothing is ever replaced silently.
std::string CodePage1254ToUtf8(std::string_view bytes);
std::optional<std::string> Utf8ToCodePage1254(std::string_view utf8);

// Upper-case in code page 1254, language-neutral as the platform's own upper-casing: a-z,
// the accented letters that have a capital (0xE0-0xFE but 0xF7, 0x9A, 0x9C, 0xFF), and the
// dotless 0xFD (ı) to 'I'. The dotted 'i' becomes 'I', not 0xDD (İ): fields that upper-case
// hold hexadecimal digits and numbers, where plain 'I' is what a reader expects.
char UpperCaseByte(char byte);
std::string UpperCaseText(std::string_view text);
