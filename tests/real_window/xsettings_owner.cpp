// kalvetra-xsettings-owner DPI: an XSETTINGS manager for the default screen of $DISPLAY, as
// a desktop's settings daemon is, publishing the one setting Xft/DPI as DPI times 1024 (-1,
// "the default", when DPI is -1). It prints "ready" once it owns the selection and keeps it
// until it is killed.

#include <X11/Xlib.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The settings list, least significant byte first: a header, then one integer setting.
std::vector<unsigned char> SettingsWithDpi(std::int32_t value) {
    std::vector<unsigned char> bytes;
    const auto number = [&bytes](std::uint32_t n, int size) {
        for (int index = 0; index < size; ++index)
            bytes.push_back(static_cast<unsigned char>(n >> (8 * index)));
    };
    const std::string name = "Xft/DPI"; // 7 bytes, padded to 8
    bytes = {0, 0, 0, 0};               // byte order: least significant first
    number(1, 4);                       // serial
    number(1, 4);                       // one setting
    bytes.push_back(0);                 // an integer
    bytes.push_back(0);
    number(static_cast<std::uint32_t>(name.size()), 2);
    bytes.insert(bytes.end(), name.begin(), name.end());
    bytes.push_back(0);
    number(1, 4); // the serial of its last change
    number(static_cast<std::uint32_t>(value), 4);
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kalvetra-xsettings-owner DPI\n");
        return 2;
    }
    const int dpi = std::atoi(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "kalvetra-xsettings-owner: cannot open the display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    const Window owner = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    const Atom settings = XInternAtom(display, "_XSETTINGS_SETTINGS", False);
    const std::vector<unsigned char> list = SettingsWithDpi(dpi < 0 ? -1 : dpi * 1024);
    XChangeProperty(display, owner, settings, settings, 8, PropModeReplace, list.data(),
                    static_cast<int>(list.size()));
    const std::string name = "_XSETTINGS_S" + std::to_string(DefaultScreen(display));
    const Atom selection = XInternAtom(display, name.c_str(), False);
    XSetSelectionOwner(display, selection, owner, CurrentTime);
    if (XGetSelectionOwner(display, selection) != owner) {
        std::fprintf(stderr, "kalvetra-xsettings-owner: another manager owns %s\n", name.c_str());
        return 1;
    }
    // Programs that are already running learn of a new manager from the MANAGER message.
    XEvent manager{};
    manager.xclient.type = ClientMessage;
    manager.xclient.window = root;
    manager.xclient.message_type = XInternAtom(display, "MANAGER", False);
    manager.xclient.format = 32;
    manager.xclient.data.l[0] = CurrentTime;
    manager.xclient.data.l[1] = static_cast<long>(selection);
    manager.xclient.data.l[2] = static_cast<long>(owner);
    XSendEvent(display, root, False, StructureNotifyMask, &manager);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;)
        pause();
}
