#include "platform/backends/sdl/x11_clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

// The property of our own window that the owner writes the text into.
constexpr const char* PasteProperty = "KALVETRA_PASTE";

SelectionRead Unanswered() {
    return {SelectionRead::Outcome::Unanswered, {}};
}

SelectionRead TextRead(std::string utf8) {
    return {SelectionRead::Outcome::Text, std::move(utf8)};
}

// A window that only receives the answer: unmapped, input only, told of its property's
// changes; destroyed with whatever an abandoned transfer would still write into it.
class Requestor {
  public:
    explicit Requestor(Display* display) : m_display(display) {
        XSetWindowAttributes attributes{};
        attributes.event_mask = PropertyChangeMask;
        m_window =
            XCreateWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, CopyFromParent,
                          InputOnly, CopyFromParent, CWEventMask, &attributes);
    }
    ~Requestor() {
        XDestroyWindow(m_display, m_window);
        XFlush(m_display);
    }
    Requestor(const Requestor&) = delete;
    Requestor& operator=(const Requestor&) = delete;
    Window window() const { return m_window; }

  private:
    Display* m_display;
    Window m_window;
};

// The next event of the given type for the window that passes `wanted`, waiting no later than
// the deadline; nullopt when none came in time.
template <typename Wanted>
std::optional<XEvent> WaitForEvent(Display* display, Window window, int type,
                                   Clock::time_point deadline, Wanted wanted) {
    XEvent event;
    for (;;) {
        while (XCheckTypedWindowEvent(display, window, type, &event)) {
            if (wanted(event))
                return event;
        }
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return std::nullopt;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, static_cast<int>(left));
    }
}

struct PropertyValue {
    Atom type = None;
    std::string bytes;
    bool is_too_large = false;
};

// The property's whole value as bytes of 8-bit format (INCR's size, of format 32, comes as
// a long). Deleted once read when `remove` says so.
PropertyValue TakeProperty(Display* display, Window window, Atom property, Bool remove) {
    PropertyValue value;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, bytes_after = 0;
    unsigned char* data = nullptr;
    // Lengths are in 32-bit units: one more byte than the cap shows a text over it.
    const long length = static_cast<long>(LargestClipboardText / 4 + 1);
    if (XGetWindowProperty(display, window, property, 0, length, remove, AnyPropertyType, &type,
                           &format, &count, &bytes_after, &data) != Success)
        return value;
    value.type = type;
    if (data != nullptr) {
        const std::size_t unit = format == 32 ? sizeof(long) : static_cast<std::size_t>(format / 8);
        value.bytes.assign(reinterpret_cast<const char*>(data), count * unit);
        XFree(data);
    }
    value.is_too_large = bytes_after > 0 || value.bytes.size() > LargestClipboardText;
    return value;
}

// The INCR transfer: each chunk is a new value of the property, taken and deleted, which
// asks the owner for the next; an empty one ends the text.
SelectionRead ReadChunks(Display* display, Window window, Atom property) {
    const auto transfer_deadline = Clock::now() + SelectionTransferWait;
    std::string text;
    for (;;) {
        const auto deadline = std::min(transfer_deadline, Clock::now() + SelectionAnswerWait);
        const auto written =
            WaitForEvent(display, window, PropertyNotify, deadline, [property](XEvent& event) {
                return event.xproperty.atom == property &&
                       event.xproperty.state == PropertyNewValue;
            });
        if (!written)
            return Unanswered();
        const PropertyValue chunk = TakeProperty(display, window, property, True);
        if (chunk.is_too_large || text.size() + chunk.bytes.size() > LargestClipboardText)
            return Unanswered();
        if (chunk.bytes.empty())
            return TextRead(std::move(text));
        text += chunk.bytes;
    }
}

} // namespace

X11ClipboardReader::X11ClipboardReader(const char* display_name)
    : m_display(XOpenDisplay(display_name)) {}

X11ClipboardReader::~X11ClipboardReader() {
    if (m_display != nullptr)
        XCloseDisplay(m_display);
}

unsigned long X11ClipboardReader::atom(X11Selection selection) const {
    return selection == X11Selection::Primary ? XA_PRIMARY
                                              : XInternAtom(m_display, "CLIPBOARD", False);
}

unsigned long X11ClipboardReader::owner(X11Selection selection) const {
    return XGetSelectionOwner(m_display, atom(selection));
}

void X11ClipboardReader::note_sdl_owner(X11Selection selection) {
    m_sdl_owners[static_cast<int>(selection)] = owner(selection);
}

SelectionRead X11ClipboardReader::read(X11Selection selection) {
    const Window current_owner = owner(selection);
    if (current_owner == None)
        return TextRead({});
    if (current_owner == m_sdl_owners[static_cast<int>(selection)])
        return {SelectionRead::Outcome::HeldBySdl, {}};

    // What an earlier, abandoned request left queued is of no use now.
    XSync(m_display, True);
    const Requestor requestor(m_display);
    const Window window = requestor.window();
    const Atom selection_atom = atom(selection);
    const Atom utf8_string = XInternAtom(m_display, "UTF8_STRING", False);
    const Atom incr = XInternAtom(m_display, "INCR", False);
    const Atom property = XInternAtom(m_display, PasteProperty, False);
    XConvertSelection(m_display, selection_atom, utf8_string, property, window, CurrentTime);
    XFlush(m_display);

    const auto answer = WaitForEvent(
        m_display, window, SelectionNotify, Clock::now() + SelectionAnswerWait,
        [selection_atom](XEvent& event) { return event.xselection.selection == selection_atom; });
    if (!answer)
        return Unanswered();
    // The owner has no text to give.
    if (answer->xselection.property == None)
        return TextRead({});

    if (const PropertyValue first = TakeProperty(m_display, window, property, False);
        first.type == incr) {
        // The owner's writing of the INCR value was told before its answer; only what it
        // writes after the property is deleted, which starts the chunks, is text.
        XEvent told;
        while (XCheckTypedWindowEvent(m_display, window, PropertyNotify, &told)) {
        }
        XDeleteProperty(m_display, window, property);
        XFlush(m_display);
        return ReadChunks(m_display, window, property);
    } else if (first.is_too_large) {
        return Unanswered();
    } else {
        XDeleteProperty(m_display, window, property);
        return TextRead(first.type == utf8_string ? first.bytes : std::string());
    }
}
