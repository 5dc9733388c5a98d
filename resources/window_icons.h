#pragma once

// The program's icon at every size it is drawn at, for window systems that offer a window's
// icon in several sizes and let the desktop pick one (X11's _NET_WM_ICON). Each image is a
// .bmp file of 24 bits per pixel, compiled in from resources/icons/; turning them into the
// window system's pictures is left to the backend.

#include <array>
#include <cstdint>
#include <span>

// The sizes of the icon picture, smallest first: the window's icons and the icon theme's.
constexpr std::array<int, 7> IconSizes{16, 24, 32, 48, 64, 128, 256};

struct WindowIconImage {
    int size;                             // width and height in pixels
    std::span<const std::uint8_t> bitmap; // a whole .bmp file, as SDL_LoadBMP_RW reads it
};

// One image for each of IconSizes, in the same order.
std::span<const WindowIconImage> WindowIconImages();
