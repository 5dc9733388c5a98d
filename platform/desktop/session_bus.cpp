#include "platform/desktop/session_bus.h"

#include <sys/stat.h>

#include <cstdlib>

std::optional<std::string> SessionBusAddress() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
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
