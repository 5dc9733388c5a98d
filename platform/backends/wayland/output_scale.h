#pragma once

// The scale the window is drawn at on Wayland, from the scales of the compositor's outputs:
// the largest of them, so that text is crisp on the densest screen (the compositor shrinks
// it on the others), within what the interface font is sized for, 1 or 2. The window's size
// in the compositor's units is its size in pixels over this scale, rounded up.

#include <algorithm>
#include <span>

inline int BufferScaleFor(std::span<const int> output_scales) {
    int largest = 1;
    for (const int scale : output_scales)
        largest = std::max(largest, scale);
    return std::min(largest, 2);
}

// A length in pixels as the compositor's units at scale, rounded up so that the buffer covers
// it (a buffer's size must be a multiple of its scale).
inline int SurfaceUnits(int pixels, int scale) {
    return (pixels + scale - 1) / scale;
}
