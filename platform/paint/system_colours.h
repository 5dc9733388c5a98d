#pragma once

// The system colours (GetSysColor's COLOR_ indices) of the three palettes that the desktop's
// appearance can ask for: the classic grey, a dark one and a high-contrast one. In each, every
// text colour reads on the background it is drawn on with a contrast of at least 4.5:1, apart
// from two classic ones kept as they always were (system_colours.cpp). Which palette is in
// use is the window system's state; asking the desktop is the backends'.

#include "platform/paint/colour_scheme.h"
#include "platform/win/windows_api.h"

// The colour of a COLOR_ index in a palette; black for an index the palettes do not name.
COLORREF SystemColour(ColourScheme scheme, int index);
