#pragma once

// The clipboard as text in code page 1254, for controls and filters. Each backend (and the
// Windows build) supplies the storage.

#include <optional>
#include <string>
#include <string_view>

// nullopt when the clipboard cannot be pasted: it holds a character that code page 1254
// cannot hold, or the program that holds it did not hand it over in time or whole.
std::optional<std::string> ReadClipboardText();
void WriteClipboardText(std::string_view text);
