#pragma once

// The dots per inch that an X desktop asks programs to draw with, from the first of these
// that says: the Xft.dpi line of the resource manager (what xrdb loads, and what desktops
// set for their scaling), the Xft/DPI setting of the XSETTINGS manager (GNOME's settings
// daemon and others), the physical size of the primary RandR output, and the core screen's
// size in millimetres (which Xvfb -dpi sets). Turning it into a scale is desktop_scale.h's.

#include <optional>

// nullopt without an X display, or where nothing there says.
std::optional<float> X11DesktopDpi();
