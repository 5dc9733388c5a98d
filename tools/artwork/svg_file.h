#pragma once

// Writes a list of shapes as an SVG document: rounded rectangles as <rect> with rx, and each
// run of sharp rectangles of one colour as a single <path>, so that touching squares (the
// pixels of the display's glyphs) show no seams between them when scaled. Drawing the
// shapes is left to shapes.h.

#include "tools/artwork/shapes.h"

#include <string>

// A square document of side size, its user units the shapes' pixels.
std::string SvgDocument(int size, const ShapeList& shapes);
