#pragma once

// The value of a window's _NET_WM_ICON property, which X window managers and task switchers
// read to draw a window's icon at the size they need: for each picture its width, its height
// and its pixels row by row, each an ARGB cardinal. Made from .bmp files here; setting the
// property is the display's business (x11_display.h).

#include <cstdint>
#include <span>
#include <vector>

// The pictures in the order given; a file that SDL cannot read as a .bmp is left out. A
// picture without an alpha channel is opaque.
std::vector<unsigned long> NetWmIcon(std::span<const std::span<const std::uint8_t>> bmp_files);
