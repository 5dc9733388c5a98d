#pragma once

// An in-memory picture of 24-bit colours for the artwork generators, with the few drawing
// operations they need: filled rectangles, anti-aliased rounded rectangles, blending of a
// partly covered pixel. Writing a picture to a file is left to dib_file.h.

#include <cstdint>
#include <vector>

struct Colour {
    std::uint8_t red, green, blue;
    bool operator==(const Colour&) const = default;
};

struct Canvas {
    int width;
    int height;
    std::vector<Colour> pixels; // top row first
};

Canvas MakeCanvas(int width, int height, Colour background);

// Mixes colour into the pixel at (x, y) by coverage, 0.0 (untouched) to 1.0 (replaced).
// Points outside the canvas are ignored.
void BlendPixel(Canvas& canvas, int x, int y, Colour colour, double coverage);

void FillRectangle(Canvas& canvas, int left, int top, int width, int height, Colour colour);

// A rectangle with quarter-circle corners; edge pixels are blended by the share of them that
// the shape covers.
void FillRoundedRectangle(Canvas& canvas, double left, double top, double width, double height,
                          double radius, Colour colour);

// Top-to-bottom blend from one colour to another over the whole canvas.
void FillVerticalGradient(Canvas& canvas, Colour top, Colour bottom);
