#pragma once

// What one frame of the window looks like, as a list of typed drawing commands in pixels
// of the window's client area. Controls append commands while they paint; the sdl backend
// renders the list, the headless backend keeps it for tests to inspect. Nothing here knows
// about windows or messages.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool contains(int px, int py) const {
        return px >= x && py >= y && px < right() && py < bottom();
    }
    bool is_empty() const { return width <= 0 || height <= 0; }
    // Inline: painting a frame takes hundreds of these.
    PixelRect intersected(const PixelRect& other) const {
        const int left = std::max(x, other.x);
        const int top = std::max(y, other.y);
        const int right_edge = std::min(right(), other.right());
        const int bottom_edge = std::min(bottom(), other.bottom());
        if (right_edge <= left || bottom_edge <= top) {
            return {left, top, 0, 0};
        }
        return {left, top, right_edge - left, bottom_edge - top};
    }
    PixelRect inset(int by) const { return {x + by, y + by, width - 2 * by, height - 2 * by}; }
    bool operator==(const PixelRect&) const = default;
};

enum class DrawOp : std::uint8_t {
    Fill,        // rect in colour
    DottedFrame, // one-pixel dotted frame around rect in colour (keyboard focus)
    Text,        // text at rect.x, rect.y (top of the line), clipped to clip
    Bitmap,      // a .bmp resource drawn into rect (resampled to its size), clipped to clip
};

struct DrawCommand {
    DrawOp op;
    PixelRect rect;
    PixelRect clip;
    std::uint32_t colour = 0; // COLORREF: 0x00BBGGRR
    std::string text;         // code-page-1254 bytes for Text
    std::span<const std::uint8_t> bitmap;
};

struct DrawList {
    std::vector<DrawCommand> commands;
    int width = 0, height = 0;

    void clear() { commands.clear(); }
};

// Text shown in a draw list, found by its content: for tests that look at the picture.
const DrawCommand* FindText(const DrawList& list, std::string_view text);
