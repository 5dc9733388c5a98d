#pragma once

// Where the user's D-Bus session bus is, found the way libdbus and GLib look before they fall
// back to starting a bus of their own (dbus-launch --autolaunch), which this never does: a
// bus started for one program outlives it.

#include <optional>
#include <string>

// DBUS_SESSION_BUS_ADDRESS when it is set, else the user's bus socket $XDG_RUNTIME_DIR/bus
// when there is one; nullopt where no session bus runs.
std::optional<std::string> SessionBusAddress();
