#pragma once

// The program's icon picture at any size: the emblem filling a square whose corners, outside
// its rounded body, are the classic button face. The 32-pixel picture is the image of
// resources/kalvetra.ico; the others are the window's and the desktop's icons. Writing a
// file is left to the generators.

#include "tools/artwork/canvas.h"
#include "tools/artwork/shapes.h"

ShapeList IconPictureShapes(int size);

Canvas DrawIconPicture(int size);
