#include "platform/backends/choose_display_backend.h"

#include "platform/backends/sdl/sdl_backend.h"
#include "platform/backends/wayland/wayland_backend.h"

#include <cstdlib>
#include <utility>

namespace {

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

DisplayKind ChooseDisplay(const DisplayEnvironment& environment) {
    // SDL reads a list of drivers by preference: the first one names the user's choice.
    const std::string_view asked =
        environment.video_driver.substr(0, environment.video_driver.find(','));
    if (asked == "wayland")
        return DisplayKind::Wayland;
    if (asked == "x11")
        return DisplayKind::X11;
    if (!environment.wayland_display.empty() && environment.x_display.empty())
        return DisplayKind::Wayland;
    // Where both are there, the X11 backend starts sooner and takes less memory.
    return DisplayKind::X11;
}

std::unique_ptr<Backend> MakeDisplayBackend(IconPictures icon_sizes) {
    const std::string_view wayland_socket = Variable("WAYLAND_SOCKET");
    const DisplayKind kind = ChooseDisplay(
        {Variable("DISPLAY"), wayland_socket.empty() ? Variable("WAYLAND_DISPLAY") : wayland_socket,
         Variable("SDL_VIDEODRIVER")});
    if (kind == DisplayKind::Wayland)
        return std::make_unique<WaylandBackend>();
    return std::make_unique<SdlBackend>(std::move(icon_sizes));
}
