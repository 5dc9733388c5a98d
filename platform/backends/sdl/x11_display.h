#pragma once

// The few things the sdl backend asks of the X display directly, which SDL does not offer:
// ringing the bell, the display's name and a round trip on SDL's connection, the window's
// icons at every size, and ending the program with one clear line when the display goes away.

#include <SDL.h>

#include <optional>
#include <string>
#include <vector>

// Rings the X bell of the window's display and flushes it out; nothing off X11.
void RingDisplayBell(SDL_Window* window);
// The name of the X display the window is on, as XOpenDisplay takes it; nullopt off X11.
std::optional<std::string> X11DisplayName(SDL_Window* window);
// Waits until the display has handled every request SDL made of it; nothing off X11.
void SyncDisplay(SDL_Window* window);
// Sets the window's _NET_WM_ICON property to cardinals (net_wm_icon.h); false off X11.
bool SetNetWmIcon(SDL_Window* window, const std::vector<unsigned long>& cardinals);
// From now on, losing the display connection prints "kalvetra: lost the connection to the
// display" on stderr and exits with status 1, instead of Xlib's own message; an error in one
// request (a clipboard reader that went away) no longer ends the program.
void ExitOnDisplayLoss();
