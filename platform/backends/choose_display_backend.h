#pragma once

// Chooses the display backend for a program on a Linux desktop from what the session has:
// the native Wayland backend where only a Wayland display is there, or where SDL_VIDEODRIVER
// asks for Wayland; the X11 one (SDL) where only an X display is there, or where it asks for
// X11; where both are there, the one that starts faster and lighter (measured: see
// ChooseDisplay). With neither, the X11 backend, whose error says that there is no display.

#include "platform/backends/backend.h"

#include <memory>
#include <string_view>

enum class DisplayKind { X11, Wayland };

struct DisplayEnvironment {
    std::string_view x_display;       // DISPLAY
    std::string_view wayland_display; // WAYLAND_DISPLAY, or WAYLAND_SOCKET when that is set
    std::string_view video_driver;    // SDL_VIDEODRIVER: one name or a list, by preference
};

DisplayKind ChooseDisplay(const DisplayEnvironment& environment);
// The backend for this process's environment, not yet started; on X11 the window offers the
// icon at each of icon_sizes.
std::unique_ptr<Backend> MakeDisplayBackend(IconPictures icon_sizes = {});
