// Sharp rectangles are filled whole; rounded ones blend their edge pixels.

#include "tools/artwork/shapes.h"

void DrawShapes(Canvas& canvas, const ShapeList& shapes, int left, int top) {
    for (const Shape& shape : shapes) {
        if (shape.radius == 0.0)
            FillRectangle(canvas, left + shape.left, top + shape.top, shape.width, shape.height,
                          shape.colour);
        else
            FillRoundedRectangle(canvas, left + shape.left, top + shape.top, shape.width,
                                 shape.height, shape.radius, shape.colour);
    }
}
