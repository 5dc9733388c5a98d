#pragma once

// Decodes the largest uncompressed image (24 or 32 bits a pixel) of an .ico file into an
// SDL surface with alpha, for the window's icon. PNG-compressed and palette images are not
// read; the caller shows no icon then.

#include <SDL.h>

#include <cstdint>
#include <span>

// A new surface for the caller to free; null when the file has no image this can read.
SDL_Surface* DecodeIcon(std::span<const std::uint8_t> ico);
