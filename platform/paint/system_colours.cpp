#include "platform/paint/system_colours.h"

#include <algorithm>
#include <iterator>

namespace {

struct PaletteRow {
    int index;
    COLORREF classic, dark, high_contrast;
};

// The classic column is the grey of the Windows 2000 dialogs, with the About page's teal as
// its link colour. Two of its texts stay below 4.5:1 on the button face: the teal link
// (4.4:1), which is the page's own colour, and the grey of disabled text (2.6:1), which marks
// what cannot be used and so needs no contrast. The dark column keeps the classic's
// shading, lighter above and darker below the face; the high-contrast one is white on black
// with cyan selections, green disabled text and a yellow link, as high-contrast desktops draw.
constexpr PaletteRow Palettes[] = {
    {COLOR_WINDOW, RGB(255, 255, 255), RGB(30, 30, 30), RGB(0, 0, 0)},
    {COLOR_WINDOWFRAME, RGB(0, 0, 0), RGB(200, 200, 200), RGB(255, 255, 255)},
    {COLOR_WINDOWTEXT, RGB(0, 0, 0), RGB(240, 240, 240), RGB(255, 255, 255)},
    {COLOR_HIGHLIGHT, RGB(10, 36, 106), RGB(38, 79, 120), RGB(26, 235, 255)},
    {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255), RGB(255, 255, 255), RGB(0, 0, 0)},
    {COLOR_BTNFACE, RGB(212, 208, 200), RGB(48, 48, 48), RGB(0, 0, 0)},
    {COLOR_BTNSHADOW, RGB(128, 128, 128), RGB(24, 24, 24), RGB(128, 128, 128)},
    {COLOR_GRAYTEXT, RGB(128, 128, 128), RGB(160, 160, 160), RGB(63, 242, 63)},
    {COLOR_BTNTEXT, RGB(0, 0, 0), RGB(230, 230, 230), RGB(255, 255, 255)},
    {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255), RGB(96, 96, 96), RGB(255, 255, 255)},
    {COLOR_3DDKSHADOW, RGB(64, 64, 64), RGB(0, 0, 0), RGB(255, 255, 255)},
    {COLOR_3DLIGHT, RGB(212, 208, 200), RGB(48, 48, 48), RGB(0, 0, 0)},
    {COLOR_HOTLIGHT, RGB(0, 102, 102), RGB(110, 200, 200), RGB(255, 255, 0)},
};

} // namespace

COLORREF SystemColour(ColourScheme scheme, int index) {
    const auto row = std::find_if(std::begin(Palettes), std::end(Palettes),
                                  [index](const PaletteRow& row) { return row.index == index; });
    if (row == std::end(Palettes))
        return RGB(0, 0, 0);
    switch (scheme) {
    case ColourScheme::Dark:
        return row->dark;
    case ColourScheme::HighContrast:
        return row->high_contrast;
    case ColourScheme::Classic:
        break;
    }
    return row->classic;
}
