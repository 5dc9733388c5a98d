#pragma once

// The desktop around the program, as tests and the script driver see and prepare it: the
// beeps it sounded, the addresses it handed to the web browser, and a clipboard filled as
// another program would fill it. The user's own actions are in simulated_user.h.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Beeps sounded since the window system started.
int BeepsHeard();

// Addresses handed to the browser since the window system started, oldest first.
std::vector<std::string> AddressesOpened();

// Puts a text on the clipboard: bytes is the text in code page 1254, nullopt when it has a
// character that the code page lacks, and characters the same text in Unicode. A clipboard
// of code page 1254 takes the bytes, one that holds Unicode the characters. False when this
// clipboard cannot be given such a text.
bool PutOnClipboard(const std::optional<std::string>& bytes, std::u32string_view characters);
