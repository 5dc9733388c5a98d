// Fonts through fontconfig, glyphs through SDL2_ttf.

#include "tools/artwork/banner_text.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

std::string FindFontFile(const char* pattern_text) {
    std::string file;
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(pattern_text));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcChar8* path = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
        file = reinterpret_cast<const char*>(path);
    if (match != nullptr)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return file;
}

TTF_Font* OpenFont(const std::string& file, int size) {
    return TTF_OpenFont(file.c_str(), size);
}

TextExtent MeasureText(TTF_Font* font, const char* utf8) {
    TextExtent extent{0, 0};
    TTF_SizeUTF8(font, utf8, &extent.width, &extent.height);
    return extent;
}

void DrawText(Canvas& canvas, TTF_Font* font, const char* utf8, int left, int top, Colour colour,
              double opacity) {
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, utf8, SDL_Color{255, 255, 255, 255});
    if (rendered == nullptr)
        return;
    SDL_Surface* glyphs = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (glyphs == nullptr)
        return;
    SDL_LockSurface(glyphs);
    for (int y = 0; y < glyphs->h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(glyphs->pixels) + y * glyphs->pitch);
        for (int x = 0; x < glyphs->w; ++x) {
            double coverage = (row[x] >> 24) / 255.0;
            BlendPixel(canvas, left + x, top + y, colour, coverage * opacity);
        }
    }
    SDL_UnlockSurface(glyphs);
    SDL_FreeSurface(glyphs);
}
