#pragma once

// The clipboard as text in code page 1254, for controls and filters, and the PRIMARY
// selection that X programs paste with the middle button. Each backend (and the Windows
// build) supplies the storage.

#include <optional>
#include <string>
#include <string_view>

// nullopt when the clipboard cannot be pasted: it holds a character that code page 1254
// cannot hold, or the program that holds it did not hand it over in time or whole. While a
// middle-button paste is under way, the PRIMARY selection is read instead: that paste is a
// WM_PASTE like any other, so what checks a paste checks it alike.
std::optional<std::string> ReadClipboardText();
void WriteClipboardText(std::string_view text);
// Offers the text the user has just selected as the PRIMARY selection; nothing where the
// display has none.
void OfferPrimarySelection(std::string_view text);
