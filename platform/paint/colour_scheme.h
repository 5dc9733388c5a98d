#pragma once

// The palettes that the desktop's appearance can ask for; their colours are in
// system_colours.h.

#include <cstdint>

enum class ColourScheme : std::uint8_t { Classic, Dark, HighContrast };
