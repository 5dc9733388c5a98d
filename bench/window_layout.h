#pragma once

// Where the parts of the calculator's real window lie, for the probes that click and read it
// as a user would. It builds the real main window with the X display's font (so at that
// display's scale) on a backend that opens no window, and reads the geometry the window
// system itself hit-tests with. It talks to no running calculator; the probes do that.

#include "platform/paint/draw_list.h"

#include <map>
#include <optional>
#include <string>

struct WindowLayout {
    int width = 0, height = 0;         // the main window's client area
    std::map<int, PixelRect> tabs;     // each tab while the first page is shown
    std::map<int, PixelRect> controls; // every control with an id, by that id
};

// The layout for the display of DISPLAY; nullopt with the reason in error when the display
// or its font cannot be had.
std::optional<WindowLayout> MeasureWindowLayout(std::string& error);

// The middle of a rectangle.
inline int CentreX(const PixelRect& rect) {
    return rect.x + rect.width / 2;
}
inline int CentreY(const PixelRect& rect) {
    return rect.y + rect.height / 2;
}
