#pragma once

// Turns SDL key symbols into Windows virtual-key codes and SDL modifier states into the
// backend's modifier set. Typed characters do not pass here: they come as text input.

#include "platform/backends/backend.h"

#include <SDL.h>

#include <optional>

// nullopt for a key that has no virtual-key code the program could use.
std::optional<unsigned> VirtualKeyFor(const SDL_Keysym& key);
Modifier ModifiersFor(Uint16 sdl_modifiers);
