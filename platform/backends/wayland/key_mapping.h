#pragma once

// Turns xkbcommon's key symbols into Windows virtual-key codes and its modifier state into
// the backend's modifier set, giving the same codes as the X11 backend does for the same
// keys. Typed characters do not pass here: they come from the keymap as text.

#include "platform/backends/backend.h"

#include <xkbcommon/xkbcommon.h>

#include <optional>

// The key's code from its symbol in the current state (keypad keys follow Num Lock) and,
// for a layout's own letters and shifted digits, from its place on the keyboard (an xkb key
// code, evdev's plus 8); nullopt for a key that has no code the program could use.
std::optional<unsigned> VirtualKeyForKeysym(xkb_keysym_t symbol, xkb_keycode_t keycode);
Modifier ModifiersFor(xkb_state* state);
