#pragma once

// What painting needs of a font: its metrics and the width of a text in it. A backend
// answers both for the font it draws with; painting and layout only ask.

#include <string_view>

struct FontMetrics {
    int average_char_width = 6; // pixels; the horizontal dialog base unit
    int height = 13;            // pixels; the vertical dialog base unit and the line height
    int ascent = 11;
};

class TextMeasure {
  public:
    virtual ~TextMeasure() = default;

    virtual FontMetrics font_metrics() const = 0;
    virtual int text_width(std::string_view text) const = 0; // code page 1254 bytes
};
