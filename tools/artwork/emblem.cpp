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

void AddGlyph(ShapeList& shapes, const Glyph& glyph, int left, int top, int scale, Colour colour) {
    for (int row = 0; row < GlyphHeight; ++row) {
        for (int column = 0; column < GlyphWidth; ++column) {
            if (glyph[static_cast<std::size_t>(row)][column] == '#')
                shapes.push_back(
                    {left + column * scale, top + row * scale, scale, scale, 0.0, colour});
        }
    }
}

// The display: a dark teal strip with "0x" centred in it. Where even one-pixel glyphs do not
// fit (the 16-pixel icon), a lit line stands for the text.
void AddDisplay(ShapeList& shapes, int left, int top, int width, int height) {
    shapes.push_back(
        {left, top, width, height, static_cast<double>(std::max(1, height / 6)), DisplayTeal});
    if (height < GlyphHeight || width < 2 * GlyphWidth + 1) {
        int line = std::max(1, height / 3);
        shapes.push_back({left + 2, top + (height - line) / 2, width - 4, line, 0.0, GlowTeal});
        return;
    }
    int scale = std::max(1, std::min((height - 2) / GlyphHeight, width / (3 * GlyphWidth)));
    int text_width = (2 * GlyphWidth + 1) * scale;
    int text_left = left + (width - text_width) / 2;
    int text_top = top + (height - GlyphHeight * scale + 1) / 2;
    AddGlyph(shapes, GlyphZero, text_left, text_top, scale, GlowTeal);
    AddGlyph(shapes, GlyphX, text_left + (GlyphWidth + 1) * scale, text_top, scale, GlowTeal);
}

// Three columns by two rows of keys; the last key, the "=" key, is lighter.
void AddKeypad(ShapeList& shapes, int size, int top, int bottom) {
    constexpr int Columns = 3;
    constexpr int Rows = 2;
    int gap = std::max(1, Share(size, 0.0625));
    int key_width = (size - 2 * Share(size, 0.1875) - (Columns - 1) * gap) / Columns;
    int key_height = (bottom - top - (Rows - 1) * gap) / Rows;
    int grid_width = Columns * key_width + (Columns - 1) * gap;
    int grid_left = (size - grid_width) / 2;
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            bool is_equals_key = row == Rows - 1 && column == Columns - 1;
            shapes.push_back({grid_left + column * (key_width + gap),
                              top + row * (key_height + gap), key_width, key_height,
                              std::max(0.5, key_width / 5.0), is_equals_key ? LightTeal : Teal});
        }
    }
}

} // namespace

ShapeList EmblemShapes(int size) {
    ShapeList shapes;
    int rim = std::max(1, Share(size, 0.0625));
    double radius = size * 0.16;
    shapes.push_back({0, 0, size, size, radius, Teal});
    shapes.push_back({rim, rim, size - 2 * rim, size - 2 * rim, radius - rim, EmblemBody});

    int inset = Share(size, 0.1875);
    int display_top = Share(size, 0.156);
    int display_bottom = Share(size, 0.4375);
    AddDisplay(shapes, inset, display_top, size - 2 * inset, display_bottom - display_top);

    int keypad_top = Share(size, 0.5);
    int keypad_bottom = size - Share(size, 0.125);
    AddKeypad(shapes, size, keypad_top, keypad_bottom);
    return shapes;
}

void DrawEmblem(Canvas& canvas, int left, int top, int size) {
    DrawShapes(canvas, EmblemShapes(size), left, top);
}
