#pragma once

// The texts of the script protocol. A TEXT argument is UTF-8 with the escapes \\, \b, \t,
// \r, \n and \xHH (one byte of code page 1254); printed texts are UTF-8 with backslash,
// control bytes and the bytes code page 1254 leaves undefined written as escapes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One typed unit: a code-page-1254 byte, or nullopt for a character the code page lacks.
using ScriptCharacter = std::optional<unsigned char>;

// Nullopt when the text is malformed (an unknown escape, a bad \x, invalid UTF-8).
std::optional<std::vector<ScriptCharacter>> ParseScriptText(std::string_view text);

// The bytes, when every character has one.
std::optional<std::string> JoinScriptText(const std::vector<ScriptCharacter>& characters);

std::string EscapeForPrinting(std::string_view code_page_text);
