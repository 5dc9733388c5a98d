// kalvetra-clipboard-owner: programs that own the X clipboard badly, for the end-to-end tests.
//   silent               takes the clipboard and never answers a request for it
//   chunked SIZE TEXT    offers TEXT after spaces, SIZE bytes in all, as UTF8_STRING, sent
//                        in chunks (the INCR protocol) as X programs send large texts
//   query                prints the window that owns the clipboard, or "none"
// An owner prints "ready WINDOW" once it owns the clipboard, and runs until it is ended;
// the chunked one prints "sent N" whenever a reader has taken all N bytes. With --primary
// first, each does the same with the PRIMARY selection.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t ChunkSize = 64 * 1024;

int Usage() {
    std::fprintf(stderr, "usage: kalvetra-clipboard-owner [--primary] silent | chunked SIZE TEXT"
                         " | query\n");
    return 2;
}

// A reader that goes away in the middle makes the next write fail; that is the reader's loss.
int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

Window TakeClipboard(Display* display, Atom clipboard) {
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display, clipboard, window, CurrentTime);
    XSync(display, False);
    std::printf("ready 0x%lx\n", window);
    std::fflush(stdout);
    return window;
}

void Answer(Display* display, const XSelectionRequestEvent& request, Atom property) {
    XEvent answer{};
    answer.xselection.type = SelectionNotify;
    answer.xselection.requestor = request.requestor;
    answer.xselection.selection = request.selection;
    answer.xselection.target = request.target;
    answer.xselection.property = property;
    answer.xselection.time = request.time;
    XSendEvent(display, request.requestor, False, NoEventMask, &answer);
    XFlush(display);
}

// One transfer at a time: the reader deleting the property asks for the next chunk, and an
// empty chunk ends the text.
struct Transfer {
    Window requestor = None;
    Atom property = None;
    std::size_t sent = 0;
    bool is_ended = false; // the empty chunk is written
};

int RunChunked(Display* display, Atom clipboard, const std::string& text) {
    const Atom targets = XInternAtom(display, "TARGETS", False);
    const Atom utf8_string = XInternAtom(display, "UTF8_STRING", False);
    const Atom incr = XInternAtom(display, "INCR", False);
    TakeClipboard(display, clipboard);
    Transfer transfer;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionRequest) {
            const XSelectionRequestEvent& request = event.xselectionrequest;
            if (request.target == targets) {
                const Atom offered[] = {targets, utf8_string};
                XChangeProperty(display, request.requestor, request.property, XA_ATOM, 32,
                                PropModeReplace, reinterpret_cast<const unsigned char*>(offered),
                                2);
                Answer(display, request, request.property);
            } else if (request.target == utf8_string) {
                transfer = {request.requestor, request.property, 0, false};
                XSelectInput(display, request.requestor, PropertyChangeMask);
                const long size = static_cast<long>(text.size());
                XChangeProperty(display, request.requestor, request.property, incr, 32,
                                PropModeReplace, reinterpret_cast<const unsigned char*>(&size), 1);
                Answer(display, request, request.property);
            } else {
                Answer(display, request, None);
            }
        } else if (event.type == PropertyNotify && event.xproperty.window == transfer.requestor &&
                   event.xproperty.atom == transfer.property &&
                   event.xproperty.state == PropertyDelete) {
            if (transfer.is_ended) {
                std::printf("sent %zu\n", transfer.sent);
                std::fflush(stdout);
                XSelectInput(display, transfer.requestor, NoEventMask);
                transfer = {};
                continue;
            }
            const std::size_t count = std::min(ChunkSize, text.size() - transfer.sent);
            XChangeProperty(display, transfer.requestor, transfer.property, utf8_string, 8,
                            PropModeReplace,
                            reinterpret_cast<const unsigned char*>(text.data() + transfer.sent),
                            static_cast<int>(count));
            transfer.sent += count;
            transfer.is_ended = count == 0;
            XFlush(display);
        }
    }
}

int RunSilent(Display* display, Atom clipboard) {
    TakeClipboard(display, clipboard);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
    }
}

} // namespace

int main(int argc, char** argv) {
    const bool is_primary = argc >= 2 && std::string_view(argv[1]) == "--primary";
    if (is_primary) {
        --argc;
        ++argv;
    }
    if (argc < 2)
        return Usage();
    const std::string_view command = argv[1];
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "kalvetra-clipboard-owner: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreErrors);
    const Atom clipboard = is_primary ? XA_PRIMARY : XInternAtom(display, "CLIPBOARD", False);
    if (command == "silent" && argc == 2)
        return RunSilent(display, clipboard);
    if (command == "chunked" && argc == 4) {
        const std::string tail = argv[3];
        const std::size_t size =
            std::max<std::size_t>(std::strtoul(argv[2], nullptr, 0), tail.size());
        return RunChunked(display, clipboard, std::string(size - tail.size(), ' ') + tail);
    }
    if (command == "query" && argc == 2) {
        const Window owner = XGetSelectionOwner(display, clipboard);
        if (owner == None)
            std::printf("none\n");
        else
            std::printf("0x%lx\n", owner);
        XCloseDisplay(display);
        return 0;
    }
    XCloseDisplay(display);
    return Usage();
}
