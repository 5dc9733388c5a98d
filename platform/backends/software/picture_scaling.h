#pragma once

// Resamples a picture to another size for the display's scale, smoothly: each new pixel is
// the bilinear blend of the four old pixels around its centre, edges held. It is meant for
// pictures that grow (the scale is never below 1); caching the result is the caller's.

#include <SDL.h>

// A new surface of width by height pixels in source's format (32 bits a pixel) for the
// caller to free; null when it cannot be made.
SDL_Surface* ResamplePicture(const SDL_Surface* source, int width, int height);
