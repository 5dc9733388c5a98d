#include "platform/backends/desktop/session_bus.h"

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* AddressVariable = "DBUS_SESSION_BUS_ADDRESS";
// No transport of libdbus serves it: connecting fails at once, and starts nothing.
constexpr const char* UnservedAddress = "disabled:";

} // namespace

std::optional<std::string> SessionBusAddress() {
    const char* address = std::getenv(AddressVariable);
    // "disabled:" is how a session says that it has no bus.
    if (address != nullptr && std::strncmp(address, "disabled:", 9) == 0)
        return std::nullopt;
    if (address != nullptr && *address != '\0')
        return address;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0')
        return std::nullopt;
    const std::string socket = std::string(runtime) + "/bus";
    struct stat status;
    if (stat(socket.c_str(), &status) != 0 || !S_ISSOCK(status.st_mode))
        return std::nullopt;
    return "unix:path=" + socket;
}

NoBusAutolaunch::NoBusAutolaunch() {
    // An address that says "disabled:" already keeps libdbus from starting one.
    const char* address = std::getenv(AddressVariable);
    if ((address != nullptr && *address != '\0') || SessionBusAddress())
        return;
    m_did_set = setenv(AddressVariable, UnservedAddress, 1) == 0;
}

NoBusAutolaunch::~NoBusAutolaunch() {
    if (m_did_set)
        unsetenv(AddressVariable);
}
