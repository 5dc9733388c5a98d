#include "platform/backends/desktop/session_bus.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace {

constexpr const char* AddressVariable = "DBUS_SESSION_BUS_ADDRESS";
// No transport of libdbus serves it: connecting fails at once, and starts nothing.
constexpr const char* UnservedAddress = "disabled:";

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Where libdbus looks when the address is unset, before it falls back to autolaunching.
bool HasUserBusSocket() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0')
        return false;
    struct stat status;
    return stat((std::string(runtime) + "/bus").c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

} // namespace

NoBusAutolaunch::NoBusAutolaunch() {
    if (IsSet(AddressVariable) || HasUserBusSocket())
        return;
    m_did_set = setenv(AddressVariable, UnservedAddress, 1) == 0;
}

NoBusAutolaunch::~NoBusAutolaunch() {
    if (m_did_set)
        unsetenv(AddressVariable);
}
