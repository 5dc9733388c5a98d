// Follows the desktop's colours: the palette of GetSysColor is the one the backend reports,
// read before the first frame and again whenever the backend says the desktop changed it.

#include "platform/core/window_system.h"

void FollowDesktopColours() {
    WindowSystem& system = Windows();
    const ColourScheme scheme = system.backend->colour_scheme();
    if (scheme == system.colour_scheme) {
        return;
    }
    system.colour_scheme = scheme;
    for (auto& [index, brush] : system.system_brushes) {
        brush->colour = SystemColour(scheme, index);
    }
    RequestPaint();
}
