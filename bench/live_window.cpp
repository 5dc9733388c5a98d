#include "bench/live_window.h"
#include "bench/next_x_event.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

constexpr auto WindowTimeout = 20s;     // for the program's window to be mapped
constexpr auto FirstFrameQuiet = 300ms; // unchanged this long after the first frame
constexpr auto FirstFrameLongest = 10s;
constexpr auto ExitTimeout = 5s;    // after SIGTERM, before SIGKILL
constexpr int OtherWindowSize = 16; // the stand-in for another program, at the screen's corner

int IgnoreError(Display*, XErrorEvent*) {
    // The window can vanish between an event and a request about it (BadWindow, BadDamage);
    // the wait that needed it sees the program gone.
    return 0;
}

} // namespace

LiveWindow::~LiveWindow() {
    terminate();
    if (m_display != nullptr)
        XCloseDisplay(m_display);
}

bool LiveWindow::connect() {
    if (m_display != nullptr)
        return true;
    m_display = XOpenDisplay(nullptr);
    if (m_display == nullptr) {
        m_error = std::string("cannot open display ") + XDisplayName(nullptr);
        return false;
    }
    int error_base = 0;
    if (!XDamageQueryExtension(m_display, &m_damage_event_base, &error_base)) {
        m_error = "the X server has no DAMAGE extension";
        return false;
    }
    int major = 1, minor = 1;
    XDamageQueryVersion(m_display, &major, &minor);
    int event_base = 0, xtest_major = 0, xtest_minor = 0;
    if (!XTestQueryExtension(m_display, &event_base, &error_base, &xtest_major, &xtest_minor)) {
        m_error = "the X server has no XTEST extension";
        return false;
    }
    XSetErrorHandler(IgnoreError);
    m_root = DefaultRootWindow(m_display);
    XSelectInput(m_display, m_root, SubstructureNotifyMask);
    XSync(m_display, False);
    return true;
}

bool LiveWindow::start(const std::vector<std::string>& command) {
    if (!connect())
        return false;
    std::vector<char*> argv;
    for (const std::string& argument : command)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int error = posix_spawnp(&m_pid, argv[0], nullptr, nullptr, argv.data(), environ);
    if (error != 0) {
        m_error = "cannot start " + command.front() + ": " + std::strerror(error);
        m_pid = 0;
        return false;
    }
    if (!wait_for_window(Clock::now() + WindowTimeout))
        return false;
    if (!next_frame(Clock::now() + FirstFrameLongest)) {
        m_error = "the program's window showed no frame";
        return false;
    }
    settle(FirstFrameQuiet, FirstFrameLongest);
    return true;
}

// Whether the window's _NET_WM_PID, which SDL sets on the windows it makes, names the
// program: another program may be mapping windows on the same display meanwhile.
bool LiveWindow::is_window_of_program(Window window) {
    const Atom pid_property = XInternAtom(m_display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, left = 0;
    unsigned char* data = nullptr;
    const bool is_read =
        XGetWindowProperty(m_display, window, pid_property, 0, 1, False, XA_CARDINAL, &type,
                           &format, &items, &left, &data) == Success;
    const bool is_program = is_read && data != nullptr && format == 32 && items == 1 &&
                            static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == m_pid;
    if (data != nullptr)
        XFree(data);
    return is_program;
}

// The first window created after the start that becomes a mapped child of the root and
// belongs to the program: its top-level window (it makes unmapped helper windows as well).
bool LiveWindow::wait_for_window(Clock::time_point deadline) {
    std::vector<Window> created;
    XEvent event;
    while (next_event(event, deadline)) {
        if (event.type == CreateNotify && event.xcreatewindow.parent == m_root) {
            created.push_back(event.xcreatewindow.window);
        } else if (event.type == MapNotify && event.xmap.event == m_root &&
                   std::find(created.begin(), created.end(), event.xmap.window) != created.end() &&
                   is_window_of_program(event.xmap.window)) {
            m_window = event.xmap.window;
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(m_display, m_window, &attributes)) {
                m_error = "the program's window went away";
                return false;
            }
            m_width = attributes.width;
            m_height = attributes.height;
            m_damage = XDamageCreate(m_display, m_window, XDamageReportNonEmpty);
            XSync(m_display, False);
            return true;
        }
    }
    m_error = is_running() ? "the program mapped no window in time" : "the program ended";
    return false;
}

// The next event, or false at the deadline or when the program has ended meanwhile.
bool LiveWindow::next_event(XEvent& event, Clock::time_point deadline) {
    return NextXEvent(m_display, event, deadline, [this] { return !is_running(); });
}

std::optional<LiveWindow::Clock::time_point> LiveWindow::next_frame(Clock::time_point deadline) {
    XEvent event;
    while (next_event(event, deadline)) {
        if (event.type != m_damage_event_base + XDamageNotify)
            continue;
        const auto arrived = Clock::now();
        const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
        if (damage.drawable != m_window)
            continue;
        XDamageSubtract(m_display, m_damage, None, None);
        XFlush(m_display);
        return arrived;
    }
    return std::nullopt;
}

void LiveWindow::re_arm() {
    XDamageSubtract(m_display, m_damage, None, None);
    XSync(m_display, False);
    XEvent event;
    while (XCheckTypedEvent(m_display, m_damage_event_base + XDamageNotify, &event)) {
    }
}

bool LiveWindow::is_frame_queued() {
    struct Search {
        int type;
        bool found;
    } search = {m_damage_event_base + XDamageNotify, false};
    XEvent unused;
    // The predicate never takes an event, so this only looks through the queue.
    XCheckIfEvent(
        m_display, &unused,
        [](Display*, XEvent* event, XPointer argument) -> Bool {
            auto* wanted = reinterpret_cast<Search*>(argument);
            if (event->type == wanted->type)
                wanted->found = true;
            return False;
        },
        reinterpret_cast<XPointer>(&search));
    return search.found;
}

int LiveWindow::settle(Clock::duration quiet, Clock::duration longest) {
    const auto end = Clock::now() + longest;
    int frames = 0;
    for (;;) {
        const auto deadline = std::min(Clock::now() + quiet, end);
        if (!next_frame(deadline))
            return frames;
        ++frames;
        if (Clock::now() >= end)
            return frames;
    }
}

std::vector<std::uint32_t> LiveWindow::read_pixels(const PixelRect& rect) {
    std::vector<std::uint32_t> pixels;
    XImage* image =
        XGetImage(m_display, m_window, rect.x, rect.y, static_cast<unsigned>(rect.width),
                  static_cast<unsigned>(rect.height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return pixels;
    pixels.resize(static_cast<std::size_t>(rect.width) * static_cast<std::size_t>(rect.height));
    auto pixel = pixels.begin();
    // A 32-bit image is copied row by row; any other depth pixel by pixel.
    const bool is_direct = image->bits_per_pixel == 32;
    for (int y = 0; y < rect.height; ++y) {
        const char* row = image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line;
        for (int x = 0; x < rect.width; ++x, ++pixel) {
            if (is_direct)
                std::memcpy(&*pixel, row + static_cast<std::ptrdiff_t>(x) * 4, 4);
            else
                *pixel = static_cast<std::uint32_t>(XGetPixel(image, x, y));
        }
    }
    XDestroyImage(image);
    return pixels;
}

// ----- input -----

void LiveWindow::move_pointer(int x, int y) {
    int root_x = 0, root_y = 0;
    Window child = 0;
    XTranslateCoordinates(m_display, m_window, m_root, x, y, &root_x, &root_y, &child);
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), root_x, root_y, CurrentTime);
}

void LiveWindow::click(int x, int y) {
    move_pointer(x, y);
    XTestFakeButtonEvent(m_display, Button1, True, CurrentTime);
    XTestFakeButtonEvent(m_display, Button1, False, CurrentTime);
    XFlush(m_display);
}

void LiveWindow::press_key(KeySym key) {
    XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, key), True, CurrentTime);
    XFlush(m_display);
}

void LiveWindow::release_key(KeySym key) {
    XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, key), False, CurrentTime);
    XFlush(m_display);
}

void LiveWindow::tap_key(KeySym key) {
    press_key(key);
    release_key(key);
}

void LiveWindow::tap_keys(std::string_view characters) {
    for (char character : characters) {
        const char name[] = {character, '\0'};
        tap_key(XStringToKeysym(name));
    }
}

void LiveWindow::flush() {
    XSync(m_display, False);
}

void LiveWindow::give_focus() {
    XSetInputFocus(m_display, m_window, RevertToParent, CurrentTime);
    XSync(m_display, False);
}

void LiveWindow::give_focus_elsewhere() {
    if (m_other_window == 0) {
        m_other_window =
            XCreateSimpleWindow(m_display, m_root, 0, 0, OtherWindowSize, OtherWindowSize, 0, 0, 0);
        XMapWindow(m_display, m_other_window);
        XSync(m_display, False);
    }
    XSetInputFocus(m_display, m_other_window, RevertToParent, CurrentTime);
    XSync(m_display, False);
}

void LiveWindow::unmap() {
    XUnmapWindow(m_display, m_window);
    XSync(m_display, False);
}

void LiveWindow::move_to(int x, int y) {
    XMoveWindow(m_display, m_window, x, y);
    XSync(m_display, False);
}

void LiveWindow::expose() {
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(m_display, m_window, m_root, 0, 0, &x, &y, &child);
    XSetWindowAttributes attributes = {};
    attributes.override_redirect = True;
    const Window cover = XCreateWindow(
        m_display, m_root, x, y, static_cast<unsigned>(m_width), static_cast<unsigned>(m_height), 0,
        CopyFromParent, InputOutput, CopyFromParent, CWOverrideRedirect, &attributes);
    XMapRaised(m_display, cover);
    XSync(m_display, False);
    XDestroyWindow(m_display, cover);
    XSync(m_display, False);
}

// ----- the process -----

bool LiveWindow::is_running() {
    if (m_pid <= 0)
        return false;
    int status = 0;
    const pid_t reaped = waitpid(m_pid, &status, WNOHANG);
    if (reaped == m_pid || (reaped < 0 && errno == ECHILD)) {
        m_pid = 0;
        return false;
    }
    return true;
}

void LiveWindow::terminate() {
    if (!is_running())
        return;
    kill(m_pid, SIGTERM);
    const auto deadline = Clock::now() + ExitTimeout;
    while (Clock::now() < deadline) {
        if (!is_running())
            return;
        std::this_thread::sleep_for(5ms);
    }
    kill(m_pid, SIGKILL);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = 0;
}
