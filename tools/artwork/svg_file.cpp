// SVG text of a shape list.

#include "tools/artwork/svg_file.h"

#include <cstdio>

namespace {

std::string HexColour(Colour colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

// Formatted rather than joined with "+": GCC 12 warns falsely about joining at -O3.
std::string RoundedRectangle(const Shape& shape) {
    char text[160];
    std::snprintf(
        text, sizeof text,
        "  <rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" rx=\"%.6g\" fill=\"%s\"/>\n",
        shape.left, shape.top, shape.width, shape.height, shape.radius,
        HexColour(shape.colour).c_str());
    return text;
}

// One closed subpath: "M left top h width v height h -width z".
std::string RectanglePath(const Shape& shape) {
    char text[80];
    std::snprintf(text, sizeof text, "M%d %dh%dv%dh%dz", shape.left, shape.top, shape.width,
                  shape.height, -shape.width);
    return text;
}

} // namespace

std::string SvgDocument(int size, const ShapeList& shapes) {
    char header[200];
    std::snprintf(header, sizeof header,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                  "viewBox=\"0 0 %d %d\">\n",
                  size, size, size, size);
    std::string svg = header;
    for (std::size_t at = 0; at < shapes.size();) {
        const Shape& first = shapes[at];
        if (first.radius != 0.0) {
            svg += RoundedRectangle(first);
            ++at;
            continue;
        }
        std::string path;
        for (; at < shapes.size() && shapes[at].radius == 0.0 && shapes[at].colour == first.colour;
             ++at)
            path += RectanglePath(shapes[at]);
        svg.append("  <path fill=\"").append(HexColour(first.colour)).append("\" d=\"");
        svg.append(path).append("\"/>\n");
    }
    return svg.append("</svg>\n");
}
