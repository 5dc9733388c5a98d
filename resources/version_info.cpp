// The version that the Windows build's version resource states.

#include "resources/version_info.h"

const VersionInfo ProgramVersion{
    "1.2", "1.2.0.4", 0x041F, 0x04B0, "[QLX]", "Kalvetra",
};
