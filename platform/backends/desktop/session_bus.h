#pragma once

// Where the user's D-Bus session bus is, and keeping the display libraries from starting one
// where none runs.
//
// The display libraries connect to the D-Bus session bus while they start (SDL: input
// methods, the screen saver; libdecor's title bar: the desktop's cursor settings). Where no
// session bus runs (a bare X server, ssh -X, a kiosk), libdbus would start one of its own
// with dbus-launch --autolaunch, a daemon that outlives the program. This keeps libdbus from
// doing so while they start, and leaves a bus that does run to be used.

#include <optional>
#include <string>

// While one lives, DBUS_SESSION_BUS_ADDRESS names an address that nothing serves, if it was
// unset and the user's bus socket ($XDG_RUNTIME_DIR/bus) is not there; libdbus then fails to
// connect instead of starting a daemon, and the library does not try again. The variable is unset
// again afterwards, so that programs started later (the web browser) see the environment
// as it was.
class NoBusAutolaunch {
  public:
    NoBusAutolaunch();
    ~NoBusAutolaunch();
    NoBusAutolaunch(const NoBusAutolaunch&) = delete;
    NoBusAutolaunch& operator=(const NoBusAutolaunch&) = delete;

  private:
    bool m_did_set = false;
};

// DBUS_SESSION_BUS_ADDRESS when it is set, else the user's bus socket $XDG_RUNTIME_DIR/bus
// when there is one (where libdbus and GLib look before they fall back to autolaunching);
// nullopt where no session bus runs, or where the address says "disabled:".
std::optional<std::string> SessionBusAddress();
