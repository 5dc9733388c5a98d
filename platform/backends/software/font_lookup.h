#pragma once

// Finds the file of the interface font with fontconfig: Liberation Sans, which has the
// metrics of the classic Windows sans-serif faces, or the desktop's sans-serif face where it
// is missing. It only names a file; opening and sizing the font is the backend's job.

#include <optional>
#include <string>

struct FontFile {
    std::string path;
    int index = 0; // the face within a collection file
    std::string family;
};

std::optional<FontFile> FindInterfaceFont();
