// The icon picture: the emblem on the button-face colour.

#include "tools/artwork/icon_picture.h"

#include "tools/artwork/emblem.h"

namespace {

constexpr Colour CornerColour{212, 208, 200}; // the classic button face around the corners

} // namespace

Canvas DrawIconPicture(int size) {
    Canvas picture = MakeCanvas(size, size, CornerColour);
    DrawEmblem(picture, 0, 0, size);
    return picture;
}
