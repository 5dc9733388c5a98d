#pragma once

// The program's emblem, a small calculator: a dark rounded body with a teal rim, a display
// that reads "0x" and a keypad of six teal keys. It is laid out for any size in whole
// pixels, so the icons at every size, the scalable icon and the banner show the same
// picture. The colours are the program's teal family.

#include "tools/artwork/canvas.h"
#include "tools/artwork/shapes.h"

constexpr Colour EmblemBody{26, 30, 36};
constexpr Colour Teal{0, 102, 102}; // the colour of the About page's link
constexpr Colour LightTeal{0, 153, 153};
constexpr Colour DisplayTeal{0, 46, 48};
constexpr Colour GlowTeal{64, 224, 208};

// The emblem's shapes in the square of side size whose top left corner is (0, 0).
ShapeList EmblemShapes(int size);

// Draws the emblem into the square of side size whose top left corner is (left, top).
void DrawEmblem(Canvas& canvas, int left, int top, int size);
