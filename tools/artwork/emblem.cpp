// The emblem, laid out in shares of its size and rounded to whole pixels so that the
// 32-pixel icon stays crisp.

#include "tools/artwork/emblem.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// 5 x 7 pixel glyphs of the display text, one string per row, '#' for a lit pixel.
using Glyph = std::array<const char*, 7>;
constexpr Glyph GlyphZero{".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."};
constexpr Glyph GlyphX{".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"};
constexpr int GlyphWidth = 5;
constexpr int GlyphHeight = 7;

int Share(int size, double share) {
    return static_cast<int>(std::lround(size * share));
}

void DrawGlyph(Canvas& canvas, const Glyph& glyph, int left, int top, int scale, Colour colour) {
    for (int row = 0; row < GlyphHeight; ++row) {
        for (int column = 0; column < GlyphWidth; ++column) {
            if (glyph[static_cast<std::size_t>(row)][column] == '#')
                FillRectangle(canvas, left + column * scale, top + row * scale, scale, scale,
                              colour);
        }
    }
}

// The display: a dark teal strip with "0x" centred in it.
void DrawDisplay(Canvas& canvas, int left, int top, int width, int height) {
    FillRoundedRectangle(canvas, left, top, width, height, std::max(1, height / 6), DisplayTeal);
    int scale = std::max(1, std::min((height - 2) / GlyphHeight, width / (3 * GlyphWidth)));
    int text_width = (2 * GlyphWidth + 1) * scale;
    int text_left = left + (width - text_width) / 2;
    int text_top = top + (height - GlyphHeight * scale + 1) / 2;
    DrawGlyph(canvas, GlyphZero, text_left, text_top, scale, GlowTeal);
    DrawGlyph(canvas, GlyphX, text_left + (GlyphWidth + 1) * scale, text_top, scale, GlowTeal);
}

// Three columns by two rows of keys; the last key, the "=" key, is lighter.
void DrawKeypad(Canvas& canvas, int size, int left, int top, int bottom) {
    constexpr int Columns = 3;
    constexpr int Rows = 2;
    int gap = std::max(1, Share(size, 0.0625));
    int key_width = (size - 2 * Share(size, 0.1875) - (Columns - 1) * gap) / Columns;
    int key_height = (bottom - top - (Rows - 1) * gap) / Rows;
    int grid_width = Columns * key_width + (Columns - 1) * gap;
    int grid_left = left + (size - grid_width) / 2;
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            bool is_equals_key = row == Rows - 1 && column == Columns - 1;
            FillRoundedRectangle(canvas, grid_left + column * (key_width + gap),
                                 top + row * (key_height + gap), key_width, key_height,
                                 std::max(0.5, key_width / 5.0), is_equals_key ? LightTeal : Teal);
        }
    }
}

} // namespace

void DrawEmblem(Canvas& canvas, int left, int top, int size) {
    int rim = std::max(1, Share(size, 0.0625));
    double radius = size * 0.16;
    FillRoundedRectangle(canvas, left, top, size, size, radius, Teal);
    FillRoundedRectangle(canvas, left + rim, top + rim, size - 2 * rim, size - 2 * rim,
                         radius - rim, EmblemBody);

    int inset = Share(size, 0.1875);
    int display_top = top + Share(size, 0.156);
    int display_bottom = top + Share(size, 0.4375);
    DrawDisplay(canvas, left + inset, display_top, size - 2 * inset, display_bottom - display_top);

    int keypad_top = top + Share(size, 0.5);
    int keypad_bottom = top + size - Share(size, 0.125);
    DrawKeypad(canvas, size, left, keypad_top, keypad_bottom);
}
