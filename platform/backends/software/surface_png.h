#pragma once

// Writes what an SDL surface holds as a PNG file of its pixels, for the backends'
// screenshots. Which surface shows the window is the backend's to say.

#include <SDL.h>

#include <string>

// False, with SDL's or the writer's reason in error, when the file could not be written.
bool WriteSurfacePng(SDL_Surface* surface, const std::string& path, std::string& error);
