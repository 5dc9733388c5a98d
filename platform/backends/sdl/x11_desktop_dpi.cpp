#include "platform/backends/sdl/x11_desktop_dpi.h"

#include "platform/backends/sdl/xsettings.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

namespace {

constexpr float MillimetresPerInch = 25.4f;
// XSETTINGS gives the dots per inch times 1024.
constexpr float XsettingsDpiUnit = 1024.0f;

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

// Xft/DPI of the settings manager of the default screen; -1 there means "the default".
std::optional<float> XsettingsDpi(Display* display) {
    const std::string selection = "_XSETTINGS_S" + std::to_string(DefaultScreen(display));
    const Window owner =
        XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False));
    if (owner == None)
        return std::nullopt;
    const Atom property = XInternAtom(display, "_XSETTINGS_SETTINGS", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, bytes_after = 0;
    unsigned char* data = nullptr;
    // The owner may go away meanwhile: the request then fails, and its error is dropped by
    // the handler the backend installed.
    constexpr long LongestList = 64 * 1024;
    if (XGetWindowProperty(display, owner, property, 0, LongestList, False, property, &type,
                           &format, &count, &bytes_after, &data) != Success)
        return std::nullopt;
    std::optional<std::int32_t> dpi;
    if (data != nullptr && format == 8)
        dpi = XsettingsInteger(std::span<const std::uint8_t>(data, count), "Xft/DPI");
    if (data != nullptr)
        XFree(data);
    if (!dpi || *dpi <= 0)
        return std::nullopt;
    return static_cast<float>(*dpi) / XsettingsDpiUnit;
}

// The primary output's (else the first lit one's) pixels over its physical width, where
// the monitor reports a physical size.
std::optional<float> RandrDpi(Display* display) {
    int event_base = 0, error_base = 0;
    if (!XRRQueryExtension(display, &event_base, &error_base))
        return std::nullopt;
    const Window root = DefaultRootWindow(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
    if (resources == nullptr)
        return std::nullopt;
    const RROutput primary = XRRGetOutputPrimary(display, root);
    std::optional<float> dpi;
    for (int index = -1; index < resources->noutput && !dpi; ++index) {
        const RROutput output = index < 0 ? primary : resources->outputs[index];
        if (output == None)
            continue;
        XRROutputInfo* info = XRRGetOutputInfo(display, resources, output);
        if (info != nullptr && info->crtc != None && info->mm_width > 0) {
            if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, info->crtc)) {
                if (crtc->width > 0)
                    dpi = crtc->width * MillimetresPerInch / static_cast<float>(info->mm_width);
                XRRFreeCrtcInfo(crtc);
            }
        }
        if (info != nullptr)
            XRRFreeOutputInfo(info);
    }
    XRRFreeScreenResources(resources);
    return dpi;
}

std::optional<float> CoreScreenDpi(Display* display) {
    const int screen = DefaultScreen(display);
    if (DisplayWidthMM(display, screen) <= 0)
        return std::nullopt;
    return DisplayWidth(display, screen) * MillimetresPerInch / DisplayWidthMM(display, screen);
}

} // namespace

std::optional<float> X11DesktopDpi() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return std::nullopt;
    std::optional<float> dpi = XftDpi(display);
    if (!dpi)
        dpi = XsettingsDpi(display);
    if (!dpi)
        dpi = RandrDpi(display);
    if (!dpi)
        dpi = CoreScreenDpi(display);
    XCloseDisplay(display);
    return dpi;
}
