#include "platform/backends/sdl/x11_display.h"

#include "platform/backends/desktop/display_loss.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <unistd.h>

#include <cstdlib>
#include <string>

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

// The X display the window is on; null off X11.
Display* DisplayOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return nullptr;
    return info.info.x11.display;
}

} // namespace

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

bool SetNetWmIcon(SDL_Window* window, const std::vector<unsigned long>& cardinals) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    Display* display = DisplayOf(window);
    if (display == nullptr || !SDL_GetWindowWMInfo(window, &info))
        return false;
    // Cardinals of format 32 go to Xlib as longs, whatever the size of a long.
    XChangeProperty(display, info.info.x11.window, XInternAtom(display, "_NET_WM_ICON", False),
                    XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(cardinals.data()),
                    static_cast<int>(cardinals.size()));
    XFlush(display);
    return true;
}

void ExitOnDisplayLoss() {
    XSetIOErrorHandler(LeaveOnDisplayLoss);
    XSetErrorHandler(IgnoreRequestError);
}
