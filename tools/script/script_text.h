#pragma once

// The texts of the script protocol. A TEXT argument is UTF-8 with the escapes \\, \b, \t,
// \r, \n and \xHH (one byte of code page 1254); printed texts are UTF-8 with backslash,
// control bytes and the bytes code page 1254 leaves undefined written as escapes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One typed unit: its code-page-1254 byte, nullopt for a character the code page lacks, and
// the character itself (a \xHH escape stands for its byte's character, U+FFFD when the code
// page leaves the byte undefined).
struct ScriptCharacter {
    std::optional<unsigned char> byte;
    char32_t code_point;
};

// Nullopt when the text is malformed (an unknown escape, a bad \x, invalid UTF-8).
std::optional<std::vector<ScriptCharacter>> ParseScriptText(std::string_view text);

// The bytes, when every character has one.
std::optional<std::string> JoinScriptText(const std::vector<ScriptCharacter>& characters);

// The characters themselves, whether the code page has them or not.
std::u32string ScriptCodePoints(const std::vector<ScriptCharacter>& characters);

std::string EscapeForPrinting(std::string_view code_page_text);

// A piece of a script line, for an error message: its UTF-8 as written, with every control
// character and every byte that is not valid UTF-8 as a \xHH escape, so that the message
// shows exactly what the line holds and sends nothing raw to the terminal.
std::string EscapeScriptLine(std::string_view line);
