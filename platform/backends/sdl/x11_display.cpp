#include "platform/backends/sdl/x11_display.h"

#include "platform/backends/desktop/display_loss.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Xlib calls this from inside whichever call found the connection broken, and would end the
// process itself if it returned.
int LeaveOnDisplayLoss(Display*) {
    LeaveOnLostDisplay();
}

// A protocol error is about one request, not the connection: a program asking for our
// clipboard that quits before the answer arrives makes the answer fail with BadWindow. Xlib's
// own handler would end the calculator for it; the request is simply dropped.
int IgnoreRequestError(Display*, XErrorEvent*) {
    return 0;
}

// The value of the Xft.dpi line in the resource manager's text, as in "Xft.dpi:\t192".
std::optional<float> XftDpi(Display* display) {
    const char* resources = XResourceManagerString(display);
    if (resources == nullptr)
        return std::nullopt;
    constexpr std::string_view Name = "Xft.dpi:";
    std::string_view rest = resources;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        if (line.starts_with(Name)) {
            const float dpi = std::strtof(std::string(line.substr(Name.size())).c_str(), nullptr);
            if (dpi > 0)
                return dpi;
        }
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return std::nullopt;
}

// The X display the window is on; null off X11.
Display* DisplayOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return nullptr;
    return info.info.x11.display;
}

} // namespace

std::optional<float> X11ScreenDpi() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return std::nullopt;
    std::optional<float> dpi = XftDpi(display);
    const int screen = DefaultScreen(display);
    if (!dpi && DisplayWidthMM(display, screen) > 0) {
        constexpr float MillimetresPerInch = 25.4f;
        dpi = DisplayWidth(display, screen) * MillimetresPerInch / DisplayWidthMM(display, screen);
    }
    XCloseDisplay(display);
    return dpi;
}

void RingDisplayBell(SDL_Window* window) {
    if (Display* display = DisplayOf(window)) {
        XBell(display, 0);
        XFlush(display);
    }
}

std::optional<std::string> X11DisplayName(SDL_Window* window) {
    if (Display* display = DisplayOf(window))
        return std::string(DisplayString(display));
    return std::nullopt;
}

void SyncDisplay(SDL_Window* window) {
    if (Display* display = DisplayOf(window))
        XSync(display, False);
}

void ExitOnDisplayLoss() {
    XSetIOErrorHandler(LeaveOnDisplayLoss);
    XSetErrorHandler(IgnoreRequestError);
}
