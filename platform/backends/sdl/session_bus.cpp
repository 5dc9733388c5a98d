#include "platform/backends/sdl/session_bus.h"

#include "platform/desktop/session_bus.h"

#include <cstdlib>

namespace {

constexpr const char* AddressVariable = "DBUS_SESSION_BUS_ADDRESS";
// No transport of libdbus serves it: connecting fails at once, and starts nothing.
constexpr const char* UnservedAddress = "disabled:";

} // namespace

NoBusAutolaunch::NoBusAutolaunch() {
    if (SessionBusAddress())
        return;
    m_did_set = setenv(AddressVariable, UnservedAddress, 1) == 0;
}

NoBusAutolaunch::~NoBusAutolaunch() {
    if (m_did_set)
        unsetenv(AddressVariable);
}
