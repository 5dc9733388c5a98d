// Writes the About page's banner: a 440 x 100 bitmap of 24 bits per pixel as a .bmp file.
// On a dark background with a faint hexadecimal dump it shows the product's name, the
// emblem in the middle, and the version with the maker's credits.
//
// Usage: make-banner OUTPUT.bmp

#include "tools/artwork/banner_text.h"
#include "tools/artwork/canvas.h"
#include "tools/artwork/dib_file.h"
#include "tools/artwork/emblem.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <string>

namespace {

constexpr int BannerWidth = 440;
constexpr int BannerHeight = 100;
constexpr int EmblemSize = 80;

constexpr Colour BackgroundTop{14, 18, 24};
constexpr Colour BackgroundBottom{24, 34, 42};
constexpr Colour NameColour{236, 242, 242};
constexpr Colour CreditColour{200, 208, 210};

struct Fonts {
    TTF_Font* name;
    TTF_Font* version;
    TTF_Font* credit;
    TTF_Font* caption;
    TTF_Font* dump;
};

// The largest size, at most largest, at which text fits into width pixels.
TTF_Font* FittingFont(const std::string& file, const char* text, int width, int largest) {
    for (int size = largest; size > 8; --size) {
        TTF_Font* font = OpenFont(file, size);
        if (font == nullptr)
            return nullptr;
        if (MeasureText(font, text).width <= width)
            return font;
        TTF_CloseFont(font);
    }
    return OpenFont(file, 8);
}

// Rows of machine-code bytes, barely brighter than the background.
void DrawHexDump(Canvas& canvas, TTF_Font* font) {
    const char* lines[] = {
        "55 8B EC 83 EC 08 8B 45 08 33 C9 0F C8 D1 E8 F7 D8 13 C1 1B D2 F7 E1 0B C0",
        "C1 E0 04 D3 C8 23 C2 0F AF C1 99 F7 F9 33 D2 F7 F1 8B E5 5D C2 10 00 90 90",
        "8D 45 F8 50 6A 0D FF 75 08 E8 1F 00 00 00 85 C0 74 0A 0B D2 75 06 C9 C3 CC",
        "31 C0 40 D1 C0 D1 D8 C1 F8 1F 0F CA 81 E2 FF 00 00 00 03 C2 2B C1 F7 D0 C3",
        "6A 00 68 E8 03 00 00 FF 15 20 30 40 00 8B F0 89 35 00 40 40 00 EB FE 90 90",
    };
    int line_height = MeasureText(font, lines[0]).height;
    int top = 2;
    for (const char* line : lines) {
        DrawText(canvas, font, line, 4, top, Teal, 0.15);
        top += line_height + 2;
    }
}

void DrawBanner(Canvas& canvas, const Fonts& fonts) {
    FillVerticalGradient(canvas, BackgroundTop, BackgroundBottom);
    DrawHexDump(canvas, fonts.dump);

    // A thin teal line along the bottom edge.
    FillRectangle(canvas, 0, BannerHeight - 3, BannerWidth, 3, Teal);

    int emblem_left = (BannerWidth - EmblemSize) / 2;
    int emblem_top = (BannerHeight - 3 - EmblemSize) / 2;
    DrawEmblem(canvas, emblem_left, emblem_top, EmblemSize);

    // Left of the emblem: the name above a caption, both right-aligned towards the emblem.
    const char* name = "Kalvetra";
    const char* caption = "x86 Hex Hesap Makinesi";
    TextExtent name_extent = MeasureText(fonts.name, name);
    TextExtent caption_extent = MeasureText(fonts.caption, caption);
    int left_edge = emblem_left - 14;
    int name_top = (BannerHeight - 3 - name_extent.height - caption_extent.height) / 2;
    DrawText(canvas, fonts.name, name, left_edge - name_extent.width, name_top, NameColour, 1.0);
    DrawText(canvas, fonts.caption, caption, left_edge - caption_extent.width,
             name_top + name_extent.height, GlowTeal, 1.0);

    // Right of the emblem: the version above the maker's credits.
    const char* version = "v1.2";
    const char* credit = "[QLX] \xC2\xB7 32-Bit";
    TextExtent version_extent = MeasureText(fonts.version, version);
    TextExtent credit_extent = MeasureText(fonts.credit, credit);
    int right_edge = emblem_left + EmblemSize + 14;
    int version_top = (BannerHeight - 3 - version_extent.height - credit_extent.height) / 2;
    DrawText(canvas, fonts.version, version, right_edge, version_top, LightTeal, 1.0);
    DrawText(canvas, fonts.credit, credit, right_edge, version_top + version_extent.height,
             CreditColour, 1.0);
}

} // namespace

int main(int argument_count, char** arguments) {
    if (argument_count != 2) {
        std::fprintf(stderr, "usage: make-banner OUTPUT.bmp\n");
        return 2;
    }
    std::string bold = FindFontFile("Liberation Sans:bold");
    std::string mono = FindFontFile("Liberation Mono");
    if (bold.empty() || mono.empty() || TTF_Init() != 0) {
        std::fprintf(stderr, "make-banner: no fonts (Liberation Sans, Liberation Mono)\n");
        return 1;
    }
    Fonts fonts{
        FittingFont(bold, "Kalvetra", 150, 44),
        OpenFont(bold, 34),
        OpenFont(bold, 16),
        OpenFont(bold, 11),
        OpenFont(mono, 12),
    };
    if (!fonts.name || !fonts.version || !fonts.credit || !fonts.caption || !fonts.dump) {
        std::fprintf(stderr, "make-banner: cannot open the fonts: %s\n", TTF_GetError());
        return 1;
    }

    Canvas picture = MakeCanvas(BannerWidth, BannerHeight, BackgroundTop);
    DrawBanner(picture, fonts);
    for (TTF_Font* font : {fonts.name, fonts.version, fonts.credit, fonts.caption, fonts.dump})
        TTF_CloseFont(font);
    TTF_Quit();

    if (!WriteBytes(arguments[1], BitmapFile(picture))) {
        std::fprintf(stderr, "make-banner: cannot write %s\n", arguments[1]);
        return 1;
    }
    return 0;
}
