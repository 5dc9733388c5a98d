#pragma once

// Where the parts of a tab control lie: one rectangle per tab along the top and the body
// below them that the pages sit in. Both the tab control's painting and its hit test use
// these, so what is drawn is what is clicked. The class itself is TabControlClass
// (control_classes.h); this file does not paint or handle messages.

#include "platform/paint/draw_list.h"
#include "platform/win/windows_api.h"

#include <vector>

struct TabParts {
    std::vector<PixelRect> tabs; // in item order; the selected one raised and widened
    PixelRect body;
};

// In pixels relative to the tab control, for its current items, size and the font.
TabParts TabRects(HWND tab);
// The tab under a point relative to the tab control; -1 for none.
int TabAt(HWND tab, int x, int y);
