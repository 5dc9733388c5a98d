#include "platform/paint/device_context.h"

static PixelRect ToFrame(HDC dc, PixelRect rect) {
    return {rect.x + dc->origin_x, rect.y + dc->origin_y, rect.width, rect.height};
}

void PaintFill(HDC dc, PixelRect rect, COLORREF colour) {
    PixelRect area = ToFrame(dc, rect).intersected(dc->clip);
    if (area.is_empty()) {
        return;
    }
    // Built in place: a frame holds hundreds of fills, and a temporary would be moved.
    DrawCommand& fill = dc->list->commands.emplace_back();
    fill.op = DrawOp::Fill;
    fill.rect = area;
    fill.clip = area;
    fill.colour = colour;
}

void PaintTextClipped(HDC dc, int x, int y, std::string_view text, COLORREF colour,
                      PixelRect clip) {
    PixelRect area = ToFrame(dc, clip).intersected(dc->clip);
    if (area.is_empty() || text.empty()) {
        return;
    }
    PixelRect at{x + dc->origin_x, y + dc->origin_y, dc->measure->text_width(text),
                 dc->measure->font_metrics().height};
    if (at.intersected(area).is_empty()) {
        return;
    }
    dc->list->commands.push_back({DrawOp::Text, at, area, colour, std::string(text), {}});
}

void PaintText(HDC dc, int x, int y, std::string_view text, COLORREF colour) {
    PixelRect everything{-dc->origin_x, -dc->origin_y, 1 << 20, 1 << 20};
    PaintTextClipped(dc, x, y, text, colour, everything);
}

void PaintDottedFrame(HDC dc, PixelRect rect) {
    PixelRect area = ToFrame(dc, rect);
    if (area.intersected(dc->clip).is_empty()) {
        return;
    }
    dc->list->commands.push_back(
        {DrawOp::DottedFrame, area, dc->clip, GetSysColor(COLOR_BTNTEXT), {}, {}});
}

void PaintBitmap(HDC dc, PixelRect place, std::span<const std::uint8_t> bmp_file, PixelRect clip) {
    PixelRect area = ToFrame(dc, clip).intersected(dc->clip);
    if (area.is_empty() || bmp_file.empty() || place.is_empty()) {
        return;
    }
    dc->list->commands.push_back({DrawOp::Bitmap, ToFrame(dc, place), area, 0, {}, bmp_file});
}

void PaintBorder(HDC dc, PixelRect rect, COLORREF colour) {
    PaintFill(dc, {rect.x, rect.y, rect.width, 1}, colour);
    PaintFill(dc, {rect.x, rect.bottom() - 1, rect.width, 1}, colour);
    PaintFill(dc, {rect.x, rect.y + 1, 1, rect.height - 2}, colour);
    PaintFill(dc, {rect.right() - 1, rect.y + 1, 1, rect.height - 2}, colour);
}

// One ring of a 3D edge: top and left in one colour, bottom and right in another.
static PixelRect PaintBevel(HDC dc, PixelRect rect, COLORREF top_left, COLORREF bottom_right) {
    PaintFill(dc, {rect.x, rect.y, rect.width - 1, 1}, top_left);
    PaintFill(dc, {rect.x, rect.y + 1, 1, rect.height - 2}, top_left);
    PaintFill(dc, {rect.x, rect.bottom() - 1, rect.width, 1}, bottom_right);
    PaintFill(dc, {rect.right() - 1, rect.y, 1, rect.height - 1}, bottom_right);
    return rect.inset(1);
}

PixelRect PaintSunkenEdge(HDC dc, PixelRect rect) {
    rect = PaintBevel(dc, rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    return PaintBevel(dc, rect, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
}

PixelRect PaintRaisedEdge(HDC dc, PixelRect rect) {
    rect = PaintBevel(dc, rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    return PaintBevel(dc, rect, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

PixelRect PaintPressedEdge(HDC dc, PixelRect rect) {
    PaintBorder(dc, rect, GetSysColor(COLOR_3DDKSHADOW));
    PaintBorder(dc, rect.inset(1), GetSysColor(COLOR_BTNSHADOW));
    return rect.inset(2);
}

PixelRect PaintStaticEdge(HDC dc, PixelRect rect) {
    return PaintBevel(dc, rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
}

void PaintEtchedFrame(HDC dc, PixelRect rect) {
    PaintBorder(dc, {rect.x + 1, rect.y + 1, rect.width - 1, rect.height - 1},
                GetSysColor(COLOR_BTNHIGHLIGHT));
    PaintBorder(dc, {rect.x, rect.y, rect.width - 1, rect.height - 1},
                GetSysColor(COLOR_BTNSHADOW));
}

int TextWidth(HDC dc, std::string_view text) {
    return dc->measure->text_width(text);
}

FontMetrics Font(HDC dc) {
    return dc->measure->font_metrics();
}
