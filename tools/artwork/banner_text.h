#pragma once

// Text for the banner: finds a font through fontconfig, measures and draws UTF-8 text into
// a Canvas with SDL2_ttf, blending the anti-aliased glyphs over what is already there.
// Where the text goes is left to the banner generator.

#include "tools/artwork/canvas.h"

#include <SDL_ttf.h>

#include <string>

// The file of the font that best matches a fontconfig pattern such as
// "Liberation Sans:bold"; empty when fontconfig finds none.
std::string FindFontFile(const char* pattern);

struct TextExtent {
    int width;
    int height;
};

// The font of file at pixel size, or nullptr. TTF_Init must have run.
TTF_Font* OpenFont(const std::string& file, int size);

TextExtent MeasureText(TTF_Font* font, const char* utf8);

// Draws the text with its top left corner at (left, top); opacity 0.0 to 1.0 scales the
// glyphs' own coverage.
void DrawText(Canvas& canvas, TTF_Font* font, const char* utf8, int left, int top, Colour colour,
              double opacity);
