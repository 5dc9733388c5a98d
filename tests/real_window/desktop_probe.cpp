// kalvetra-desktop-probe: what the end-to-end tests need from the X display that xdotool
// does not do.
//   close WINDOW   asks the window to close as a window manager's close button does: a
//                  WM_PROTOCOLS client message carrying WM_DELETE_WINDOW.
//   cursor         prints the shape of the pointer where it is now: hand, arrow, ibeam or
//                  other. The shape is told by its picture (XFixes), compared with the
//                  pictures of the X font cursors that SDL uses for those shapes.
//   turkish-keys   gives the keyboard keys for the Turkish letters, as a Turkish keyboard
//                  has them. Without them xdotool types such a letter by remapping a spare
//                  key for a moment, and a program that looks the key up after the moment
//                  has passed sees no letter at all.
//   count-bells FILE  counts the bells rung on the display (XKB's bell notices) until it is
//                  ended, writing the count so far into FILE, which starts at 0.
// It drives nothing else; the tests decide what the answers mean.

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/cursorfont.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string_view>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: kalvetra-desktop-probe close WINDOW | cursor | turkish-keys | "
                         "count-bells FILE\n");
    return 2;
}

int CloseWindow(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return 0;
}

bool SamePicture(const XFixesCursorImage& a, const XFixesCursorImage& b) {
    if (a.width != b.width || a.height != b.height || a.xhot != b.xhot || a.yhot != b.yhot) {
        return false;
    }
    const std::size_t count = static_cast<std::size_t>(a.width) * a.height;
    return std::memcmp(a.pixels, b.pixels, count * sizeof a.pixels[0]) == 0;
}

// The picture of a font cursor: a small window with that cursor is put under the pointer,
// so that the server shows it, and taken away again.
bool ShowsFontCursor(Display* display, const XFixesCursorImage& shown, unsigned shape) {
    const Window root = DefaultRootWindow(display);
    Window ignored_window;
    int root_x = 0, root_y = 0, ignored;
    unsigned ignored_mask;
    XQueryPointer(display, root, &ignored_window, &ignored_window, &root_x, &root_y, &ignored,
                  &ignored, &ignored_mask);
    const Cursor cursor = XCreateFontCursor(display, shape);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.cursor = cursor;
    constexpr int Size = 16;
    const Window probe = XCreateWindow(display, root, root_x - Size / 2, root_y - Size / 2, Size,
                                       Size, 0, CopyFromParent, InputOnly, CopyFromParent,
                                       CWOverrideRedirect | CWCursor, &attributes);
    XMapRaised(display, probe);
    XSync(display, False);
    XFixesCursorImage* reference = XFixesGetCursorImage(display);
    const bool same = reference != nullptr && SamePicture(shown, *reference);
    if (reference != nullptr) {
        XFree(reference);
    }
    XDestroyWindow(display, probe);
    XFreeCursor(display, cursor);
    XSync(display, False);
    return same;
}

// Each letter pair on a key of its own (unshifted, shifted), on keys that have no symbol.
int AddTurkishKeys(Display* display) {
    // ğĞ üÜ şŞ ıİ öÖ çÇ, by the key symbols that xdotool looks for: the Latin-1 ones where
    // the letter has one, else the Unicode ones.
    constexpr const char* Letters[][2] = {
        {"U011F", "U011E"}, {"udiaeresis", "Udiaeresis"}, {"U015F", "U015E"},
        {"U0131", "U0130"}, {"odiaeresis", "Odiaeresis"}, {"ccedilla", "Ccedilla"},
    };
    int first = 0, last = 0;
    XDisplayKeycodes(display, &first, &last);
    int per_key = 0;
    KeySym* map =
        XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &per_key);
    if (map == nullptr || per_key < 2) {
        std::fprintf(stderr, "kalvetra-desktop-probe: cannot read the keyboard map\n");
        return 1;
    }
    std::size_t letter = 0;
    // The first free key stays free: xdotool borrows one for characters it finds nowhere.
    bool passed_first_free = false;
    for (int key = first; key <= last && letter < std::size(Letters); ++key) {
        const KeySym* symbols = map + static_cast<std::ptrdiff_t>(key - first) * per_key;
        bool is_free = true;
        for (int index = 0; index < per_key; ++index) {
            is_free = is_free && symbols[index] == NoSymbol;
        }
        if (!is_free) {
            continue;
        }
        if (!passed_first_free) {
            passed_first_free = true;
            continue;
        }
        KeySym pair[2] = {XStringToKeysym(Letters[letter][0]), XStringToKeysym(Letters[letter][1])};
        XChangeKeyboardMapping(display, key, 2, pair, 1);
        ++letter;
    }
    XFree(map);
    XSync(display, False);
    if (letter < std::size(Letters)) {
        std::fprintf(stderr, "kalvetra-desktop-probe: not enough free keys\n");
        return 1;
    }
    return 0;
}

int PrintCursor(Display* display) {
    int event_base = 0, error_base = 0;
    if (!XFixesQueryExtension(display, &event_base, &error_base)) {
        std::fprintf(stderr, "kalvetra-desktop-probe: the display has no XFIXES\n");
        return 1;
    }
    XFixesCursorImage* shown = XFixesGetCursorImage(display);
    if (shown == nullptr) {
        std::fprintf(stderr, "kalvetra-desktop-probe: no cursor picture\n");
        return 1;
    }
    struct Shape {
        const char* name;
        unsigned font_cursor;
    };
    constexpr Shape Shapes[] = {{"hand", XC_hand2}, {"arrow", XC_left_ptr}, {"ibeam", XC_xterm}};
    const char* name = "other";
    for (const Shape& shape : Shapes) {
        if (ShowsFontCursor(display, *shown, shape.font_cursor)) {
            name = shape.name;
            break;
        }
    }
    XFree(shown);
    std::printf("%s\n", name);
    return 0;
}

void WriteCount(const char* path, unsigned count) {
    std::ofstream(path, std::ios::trunc) << count << '\n';
}

int CountBells(Display* display, const char* path) {
    int opcode = 0, event_base = 0, error_base = 0, major = XkbMajorVersion,
        minor = XkbMinorVersion;
    if (!XkbQueryExtension(display, &opcode, &event_base, &error_base, &major, &minor)) {
        std::fprintf(stderr, "kalvetra-desktop-probe: the display has no XKB\n");
        return 1;
    }
    XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSync(display, False);
    unsigned count = 0;
    WriteCount(path, count);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        const auto* xkb = reinterpret_cast<const XkbAnyEvent*>(&event);
        if (event.type == event_base && xkb->xkb_type == XkbBellNotify)
            WriteCount(path, ++count);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::string_view command = argv[1];
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "kalvetra-desktop-probe: cannot open the display\n");
        return 1;
    }
    int status = 0;
    if (command == "close" && argc == 3) {
        status = CloseWindow(display, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)));
    } else if (command == "cursor" && argc == 2) {
        status = PrintCursor(display);
    } else if (command == "turkish-keys" && argc == 2) {
        status = AddTurkishKeys(display);
    } else if (command == "count-bells" && argc == 3) {
        status = CountBells(display, argv[2]);
    } else {
        status = Usage();
    }
    XCloseDisplay(display);
    return status;
}
