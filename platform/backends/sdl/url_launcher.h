#pragma once

// Starts the desktop's opener for a web address as a separate program, with the address as
// its own argument and no shell in between, and does not wait for it to finish.

#include <string>

// False when the program could not be started.
bool LaunchUrlOpener(const std::string& address);
