#pragma once

// Finds the desktop's opener for web addresses (xdg-open) and starts it as a separate
// program, with the address as its own argument and no shell in between, without waiting for
// it to finish. Which program runs is decided once, by its absolute path: only absolute PATH
// entries are searched, so that a relative one ("", ".", "bin") cannot make the current folder
// choose the program.

#include <optional>
#include <string>

// The absolute path of the first executable xdg-open in an absolute entry of PATH; nullopt
// when there is none.
std::optional<std::string> FindUrlOpener();
// Starts the opener at that path; false when it could not be started.
bool LaunchUrlOpener(const std::string& opener, const std::string& address);
// Starts the opener found before (nullopt: none was); false with the reason in error.
bool OpenUrl(const std::optional<std::string>& opener, const std::string& address,
             std::string& error);
