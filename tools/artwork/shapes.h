#pragma once

// A picture as a list of filled shapes placed on whole pixels: rectangles, sharp or with
// quarter-circle corners. One list is both rasterised into a Canvas (here) and written as
// SVG (svg_file.h), so the pixel and the scalable pictures agree. Which shapes make a
// picture is left to the emblem and the icon picture.

#include "tools/artwork/canvas.h"

#include <vector>

struct Shape {
    int left, top, width, height;
    double radius; // of the rounded corners; 0 for a sharp rectangle
    Colour colour;
};

using ShapeList = std::vector<Shape>; // in painting order, later shapes on top

// Paints the shapes in order, each moved by (left, top).
void DrawShapes(Canvas& canvas, const ShapeList& shapes, int left, int top);
