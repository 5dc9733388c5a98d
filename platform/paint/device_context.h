#pragma once

// Painting for control classes: a device context that appends to the frame's draw list,
// in pixels relative to the window being painted, and the classic flat-3D pieces (sunken
// and raised edges, etched frames, focus rectangles) built from fills. Controls call these
// from WM_PAINT, where wParam is the HDC.

#include "platform/paint/draw_list.h"
#include "platform/paint/text_measure.h"
#include "platform/win/windows_api.h"

#include <span>
#include <string_view>

struct DeviceContext {
    DrawList* list = nullptr;
    const TextMeasure* measure = nullptr;
    int origin_x = 0, origin_y = 0; // the window's top-left in the frame
    PixelRect clip;                 // in frame pixels
    COLORREF text_colour = 0;
    int background_mode = OPAQUE;
};

// All rectangles below are relative to the window being painted.
void PaintFill(HDC dc, PixelRect rect, COLORREF colour);
void PaintText(HDC dc, int x, int y, std::string_view text, COLORREF colour);
void PaintTextClipped(HDC dc, int x, int y, std::string_view text, COLORREF colour, PixelRect clip);
void PaintDottedFrame(HDC dc, PixelRect rect);
// The picture fills place, resampled where place is not the picture's own size.
void PaintBitmap(HDC dc, PixelRect place, std::span<const std::uint8_t> bmp_file, PixelRect clip);

// Edges. Each draws inside rect and returns the rectangle left inside it.
PixelRect PaintSunkenEdge(HDC dc, PixelRect rect);  // two pixels, the edit field's client edge
PixelRect PaintRaisedEdge(HDC dc, PixelRect rect);  // two pixels, a push button
PixelRect PaintPressedEdge(HDC dc, PixelRect rect); // a push button held down
PixelRect PaintStaticEdge(HDC dc, PixelRect rect);  // one pixel, shadow top-left
void PaintEtchedFrame(HDC dc, PixelRect rect);      // a group box's frame
void PaintBorder(HDC dc, PixelRect rect, COLORREF colour); // one-pixel solid frame

int TextWidth(HDC dc, std::string_view text);
FontMetrics Font(HDC dc);
