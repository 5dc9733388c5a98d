#pragma once

// The Windows clipboard's own form of text, UTF-16, for a caller that has Unicode text
// rather than the program's code page 1254 bytes (clipboard.h).

#include <string_view>

// Replaces what the clipboard holds with the text.
void WriteWideClipboardText(std::wstring_view text);
