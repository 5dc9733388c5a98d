#pragma once

// The two ends of a Wayland selection transfer, where the text travels through a pipe
// between the program that holds the selection and the one that pastes it. Reading is
// bounded like every paste's (desktop/selection_limits.h): a writer that does not answer,
// stalls or sends too much is given up, and nothing is taken over. Writing gives up on a
// reader that goes away or stops reading. Which selection and which type is the caller's.

#include <optional>
#include <string>
#include <string_view>

// The bytes written into fd until the writer closes it; nullopt when the writer did not
// finish in time or sent more than LargestClipboardText. Leaves fd open.
std::optional<std::string> ReadSelectionPipe(int fd);
// Writes text into fd; leaves fd open. A reader that has closed its end costs no signal.
void WriteSelectionPipe(int fd, std::string_view text);
