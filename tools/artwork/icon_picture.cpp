// The icon picture: the emblem on the button-face colour.

#include "tools/artwork/icon_picture.h"

#include "tools/artwork/emblem.h"

namespace {

constexpr Colour CornerColour{212, 208, 200}; // the classic button face around the corners

} // namespace

ShapeList IconPictureShapes(int size) {
    ShapeList shapes{{0, 0, size, size, 0.0, CornerColour}};
    ShapeList emblem = EmblemShapes(size);
    shapes.insert(shapes.end(), emblem.begin(), emblem.end());
    return shapes;
}

Canvas DrawIconPicture(int size) {
    Canvas picture = MakeCanvas(size, size, CornerColour);
    DrawShapes(picture, IconPictureShapes(size), 0, 0);
    return picture;
}
