#pragma once

// What an HBRUSH points to on this platform: one solid colour. The window system makes
// brushes (CreateSolidBrush); controls that are handed one, as the answer to
// WM_CTLCOLORSTATIC, fill their background with its colour. Nothing here paints.

#include "platform/win/windows_api.h"

struct BrushHandle {
    COLORREF colour;
};
