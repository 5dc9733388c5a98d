// Measures how long a program takes from being started to its first frame on screen, and
// how much memory it then holds, for two programs taken in turns: the calculator and the
// floor (sdl_floor). It is an X client of its own on a server without a window manager,
// where a program's top-level window is a direct child of the root window.
//
// One start: t0 is taken just before posix_spawn. The probe watches the root window's
// children (SubstructureNotifyMask). On the CreateNotify of a top-level window it creates
// an XDamage object on it (XDamageReportNonEmpty) and syncs with the server. Content drawn
// before the window is mapped is never seen and raises no damage, so when the sync shows
// that the window was not yet mapped, the damage object predates anything visible and the
// first DamageNotify that follows the MapNotify is the first presented frame: t1. When the
// window was mapped before the damage object existed, a frame may already have gone by
// unreported; the probe then reads one row of the window back: if it still shows the root
// window's colour (the probe paints the root a colour no program here draws) nothing was
// drawn yet and the damage object will report the frame; if it shows anything else, t1 is
// taken as the MapNotify time, a lower bound, and the run is marked "(bound)". A first
// damage that leaves the window in one flat colour is a background paint, not a frame; the
// probe then waits for the next. 300 ms after t1 it reads VmRSS from /proc/PID/status and
// ends the program with SIGTERM.
//
//   startup_probe [--runs N] PROGRAM [ARGS...] --floor FLOOR [ARGS...]
//       N (default 21) starts of each, alternating, after one unmeasured start of each;
//       prints every start, then medians and the targets: start-up at most 1.2 times the
//       floor's, resident memory at most the floor's plus 4 MiB.
//   startup_probe --window-size PROGRAM [ARGS...]
//       starts PROGRAM once and prints its top-level window's size: "WIDTH HEIGHT".

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int DefaultRuns = 21;
constexpr auto SettleTime = 300ms;     // from the first frame to the memory reading
constexpr auto FrameTimeout = 20s;     // a program that shows nothing by then failed
constexpr auto ExitTimeout = 5s;       // after SIGTERM, before SIGKILL
constexpr auto WindowGoneTimeout = 2s; // for the server to drop an ended program's windows
constexpr auto PollSlice = 20ms;       // how often a wait looks whether the program died
constexpr double StartupRatioTarget = 1.2;
constexpr double MemoryMarginTargetMib = 4.0;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

struct Program {
    std::string name; // for the report: the file name of the executable
    std::vector<std::string> arguments;
};

// One measured start.
struct Start {
    double startup_ms = 0;     // t0 to the first frame
    double mapped_ms = 0;      // t0 to the MapNotify
    bool is_bound = false;     // the frame came before the damage object: startup_ms = mapped_ms
    double rss_mib = 0;        // 300 ms after the first frame
    int width = 0, height = 0; // the top-level window
    int damage_width = 0, damage_height = 0; // the first damaged area
};

// ----- the program under measurement -----

std::optional<pid_t> Spawn(const Program& program) {
    std::vector<char*> argv;
    for (const std::string& argument : program.arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
    if (error != 0) {
        std::fprintf(stderr, "startup_probe: cannot start %s: %s\n", argv[0], std::strerror(error));
        return std::nullopt;
    }
    return pid;
}

// Reaps the program when it has ended; a program reaped before counts as ended too.
bool HasExited(pid_t pid) {
    int status = 0;
    const pid_t reaped = waitpid(pid, &status, WNOHANG);
    return reaped == pid || (reaped < 0 && errno == ECHILD);
}

// "VmRSS:     30412 kB" in /proc/PID/status, in MiB.
std::optional<double> ResidentMib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    return std::nullopt;
}

void Terminate(pid_t pid) {
    if (HasExited(pid))
        return;
    kill(pid, SIGTERM);
    const auto deadline = Clock::now() + ExitTimeout;
    while (Clock::now() < deadline) {
        if (HasExited(pid))
            return;
        std::this_thread::sleep_for(5ms);
    }
    std::fprintf(stderr, "startup_probe: pid %d ignored SIGTERM; killing it\n", pid);
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
}

// ----- the X server -----

int IgnoreError(Display*, XErrorEvent*) {
    // A window can vanish between an event and the request about it (BadWindow, BadMatch,
    // BadDamage); the run that needs it reports the missing frame itself.
    return 0;
}

class XServer {
  public:
    bool connect() {
        m_display = XOpenDisplay(nullptr);
        if (m_display == nullptr) {
            std::fprintf(stderr, "startup_probe: cannot open display %s\n", XDisplayName(nullptr));
            return false;
        }
        int error_base = 0;
        if (!XDamageQueryExtension(m_display, &m_damage_event_base, &error_base)) {
            std::fprintf(stderr, "startup_probe: the X server has no DAMAGE extension\n");
            return false;
        }
        int major = 1, minor = 1;
        XDamageQueryVersion(m_display, &major, &minor);
        XSetErrorHandler(IgnoreError);
        m_root = DefaultRootWindow(m_display);
        // A root colour that no program here draws, so that a window showing it shows
        // nothing of its own yet.
        XColor magenta = {};
        magenta.red = 0xFFFF;
        magenta.blue = 0xFFFF;
        XAllocColor(m_display, DefaultColormap(m_display, DefaultScreen(m_display)), &magenta);
        m_root_pixel = magenta.pixel;
        XSetWindowBackground(m_display, m_root, m_root_pixel);
        XClearWindow(m_display, m_root);
        XSelectInput(m_display, m_root, SubstructureNotifyMask);
        XSync(m_display, False);
        return true;
    }

    ~XServer() {
        if (m_display != nullptr)
            XCloseDisplay(m_display);
    }

    // Starts the program, measures it and ends it; nullopt when it showed no frame.
    std::optional<Start> measure(const Program& program);

  private:
    struct TopLevel {
        Damage damage = 0;
        bool is_damage_before_map = false;
    };

    bool next_event(XEvent& event, Clock::time_point deadline, pid_t pid);
    bool is_mapped_in_queue(Window window);
    bool is_damage_in_queue(Window window);
    bool shows_root_colour(Window window, int width, int height);
    bool is_flat(Window window, int width, int height);
    void wait_until_gone(std::map<Window, TopLevel>& top_levels);

    Display* m_display = nullptr;
    Window m_root = 0;
    unsigned long m_root_pixel = 0;
    int m_damage_event_base = 0;
};

// The next event, or false at the deadline or when the program has died meanwhile.
bool XServer::next_event(XEvent& event, Clock::time_point deadline, pid_t pid) {
    while (XPending(m_display) == 0) {
        const auto now = Clock::now();
        if (now >= deadline || (pid > 0 && HasExited(pid)))
            return false;
        const auto slice = std::min<Clock::duration>(deadline - now, PollSlice);
        pollfd connection = {ConnectionNumber(m_display), POLLIN, 0};
        poll(&connection, 1,
             static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(slice).count()));
    }
    XNextEvent(m_display, &event);
    return true;
}

// Whether a MapNotify of the window waits in Xlib's queue. The predicate never takes an
// event, so XCheckIfEvent only looks through the queue.
bool XServer::is_mapped_in_queue(Window window) {
    struct Search {
        Window window;
        bool found;
    } search = {window, false};
    XEvent unused;
    XCheckIfEvent(
        m_display, &unused,
        [](Display*, XEvent* event, XPointer argument) -> Bool {
            auto* wanted = reinterpret_cast<Search*>(argument);
            if (event->type == MapNotify && event->xmap.window == wanted->window)
                wanted->found = true;
            return False;
        },
        reinterpret_cast<XPointer>(&search));
    return search.found;
}

bool XServer::is_damage_in_queue(Window window) {
    struct Search {
        Window window;
        int type;
        bool found;
    } search = {window, m_damage_event_base + XDamageNotify, false};
    XEvent unused;
    XCheckIfEvent(
        m_display, &unused,
        [](Display*, XEvent* event, XPointer argument) -> Bool {
            auto* wanted = reinterpret_cast<Search*>(argument);
            if (event->type == wanted->type &&
                reinterpret_cast<XDamageNotifyEvent*>(event)->drawable == wanted->window)
                wanted->found = true;
            return False;
        },
        reinterpret_cast<XPointer>(&search));
    return search.found;
}

// Whether the window's middle row still shows the root colour through it, pixel for pixel.
bool XServer::shows_root_colour(Window window, int width, int height) {
    XImage* row = XGetImage(m_display, window, 0, height / 2, width, 1, AllPlanes, ZPixmap);
    if (row == nullptr)
        return true;
    bool is_root = true;
    for (int x = 0; x < width && is_root; ++x)
        is_root = XGetPixel(row, x, 0) == m_root_pixel;
    XDestroyImage(row);
    return is_root;
}

// Whether the whole window is one colour: a background paint rather than a frame.
bool XServer::is_flat(Window window, int width, int height) {
    XImage* picture = XGetImage(m_display, window, 0, 0, width, height, AllPlanes, ZPixmap);
    if (picture == nullptr)
        return false;
    const unsigned long first = XGetPixel(picture, 0, 0);
    bool flat = true;
    for (int y = 0; y < height && flat; ++y) {
        for (int x = 0; x < width && flat; ++x)
            flat = XGetPixel(picture, x, y) == first;
    }
    XDestroyImage(picture);
    return flat;
}

// Waits for the DestroyNotify of every window the ended program had, so that the next start
// begins on an empty screen. The server frees their damage objects with them.
void XServer::wait_until_gone(std::map<Window, TopLevel>& top_levels) {
    const auto deadline = Clock::now() + WindowGoneTimeout;
    XEvent event;
    while (!top_levels.empty() && next_event(event, deadline, 0)) {
        if (event.type == CreateNotify && event.xcreatewindow.parent == m_root)
            top_levels[event.xcreatewindow.window] = {};
        else if (event.type == DestroyNotify)
            top_levels.erase(event.xdestroywindow.window);
    }
}

std::optional<Start> XServer::measure(const Program& program) {
    std::map<Window, TopLevel> top_levels; // children of the root created since the spawn
    Window shown = 0;
    Start start;
    std::optional<Clock::time_point> first_frame;

    const auto t0 = Clock::now();
    const auto pid = Spawn(program);
    if (!pid)
        return std::nullopt;
    const auto deadline = t0 + FrameTimeout;

    XEvent event;
    while (!first_frame && next_event(event, deadline, *pid)) {
        const auto now = Clock::now();
        if (event.type == CreateNotify && event.xcreatewindow.parent == m_root) {
            const Window window = event.xcreatewindow.window;
            TopLevel& top_level = top_levels[window];
            top_level.damage = XDamageCreate(m_display, window, XDamageReportNonEmpty);
            // After the sync the damage object exists; a MapNotify not yet queued means the
            // map came after it.
            XSync(m_display, False);
            top_level.is_damage_before_map = !is_mapped_in_queue(window);
        } else if (event.type == MapNotify && event.xmap.event == m_root && shown == 0) {
            shown = event.xmap.window;
            start.mapped_ms = Milliseconds(now - t0);
            XWindowAttributes attributes;
            if (XGetWindowAttributes(m_display, shown, &attributes)) {
                start.width = attributes.width;
                start.height = attributes.height;
            }
            auto found = top_levels.find(shown);
            if (found == top_levels.end()) {
                // Created before the spawn: not a window of this start.
                shown = 0;
                continue;
            }
            if (!found->second.is_damage_before_map && !is_damage_in_queue(shown) &&
                !shows_root_colour(shown, start.width, start.height)) {
                first_frame = now;
                start.is_bound = true;
            }
        } else if (event.type == m_damage_event_base + XDamageNotify) {
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            if (shown == 0 || damage.drawable != shown)
                continue;
            if (is_flat(shown, start.width, start.height)) {
                XDamageSubtract(m_display, damage.damage, None, None);
                continue;
            }
            first_frame = now;
            start.damage_width = damage.area.width;
            start.damage_height = damage.area.height;
        } else if (event.type == DestroyNotify) {
            top_levels.erase(event.xdestroywindow.window);
        }
    }

    if (!first_frame) {
        std::fprintf(stderr, "startup_probe: %s showed no frame%s\n", program.name.c_str(),
                     HasExited(*pid) ? " and ended" : " in time");
        Terminate(*pid);
        wait_until_gone(top_levels);
        return std::nullopt;
    }
    start.startup_ms = start.is_bound ? start.mapped_ms : Milliseconds(*first_frame - t0);

    std::this_thread::sleep_for(*first_frame + SettleTime - Clock::now());
    const auto rss = ResidentMib(*pid);
    Terminate(*pid);
    wait_until_gone(top_levels);
    if (!rss) {
        std::fprintf(stderr, "startup_probe: %s ended before its memory was read\n",
                     program.name.c_str());
        return std::nullopt;
    }
    start.rss_mib = *rss;
    return start;
}

// ----- the report -----

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Summary {
    double median_ms, min_ms, max_ms, median_rss_mib;
    int bounds;
};

Summary Summarise(const std::vector<Start>& starts) {
    std::vector<double> startup, rss;
    int bounds = 0;
    for (const Start& start : starts) {
        startup.push_back(start.startup_ms);
        rss.push_back(start.rss_mib);
        bounds += start.is_bound ? 1 : 0;
    }
    return {Median(startup), *std::min_element(startup.begin(), startup.end()),
            *std::max_element(startup.begin(), startup.end()), Median(rss), bounds};
}

void PrintStart(int run, const Program& program, const Start& start, std::size_t name_width) {
    std::printf("run %2d  %-*s  start-up %7.2f ms%s  (mapped at %7.2f ms)  rss %6.2f MiB  "
                "window %dx%d  first damage %dx%d\n",
                run, static_cast<int>(name_width), program.name.c_str(), start.startup_ms,
                start.is_bound ? " (bound)" : "        ", start.mapped_ms, start.rss_mib,
                start.width, start.height, start.damage_width, start.damage_height);
    std::fflush(stdout);
}

const char* Verdict(bool met) {
    return met ? "PASS" : "MISS";
}

int Compare(XServer& server, const Program& calculator, const Program& floor, int runs) {
    const std::size_t name_width = std::max(calculator.name.size(), floor.name.size());
    std::printf("start-up: t0 before posix_spawn to the first XDamage report on the program's "
                "mapped top-level window;\n");
    std::printf("memory: VmRSS %lld ms after that frame. %d starts of each, in turns, after "
                "one unmeasured start of each.\n",
                static_cast<long long>(SettleTime.count()), runs);
    for (const Program* program : {&calculator, &floor}) {
        if (!server.measure(*program))
            return 1;
    }
    std::vector<Start> calculator_starts, floor_starts;
    for (int run = 1; run <= runs; ++run) {
        // The order changes from run to run, so that neither program always goes first.
        const bool calculator_first = run % 2 == 1;
        for (int turn = 0; turn < 2; ++turn) {
            const bool is_calculator = (turn == 0) == calculator_first;
            const Program& program = is_calculator ? calculator : floor;
            const auto start = server.measure(program);
            if (!start)
                return 1;
            PrintStart(run, program, *start, name_width);
            (is_calculator ? calculator_starts : floor_starts).push_back(*start);
        }
    }

    const Summary mine = Summarise(calculator_starts);
    const Summary base = Summarise(floor_starts);
    std::printf("\n%-*s  start-up median %7.2f ms  min %7.2f  max %7.2f  rss median %6.2f MiB"
                "%s\n",
                static_cast<int>(name_width), calculator.name.c_str(), mine.median_ms, mine.min_ms,
                mine.max_ms, mine.median_rss_mib,
                mine.bounds > 0 ? "  (some starts are bounds)" : "");
    std::printf("%-*s  start-up median %7.2f ms  min %7.2f  max %7.2f  rss median %6.2f MiB"
                "%s\n",
                static_cast<int>(name_width), floor.name.c_str(), base.median_ms, base.min_ms,
                base.max_ms, base.median_rss_mib,
                base.bounds > 0 ? "  (some starts are bounds)" : "");
    if (mine.bounds + base.bounds > 0)
        std::printf("starts taken at their MapNotify (frame before the damage object): %s %d, "
                    "%s %d\n",
                    calculator.name.c_str(), mine.bounds, floor.name.c_str(), base.bounds);
    const double ratio = mine.median_ms / base.median_ms;
    const double margin = mine.median_rss_mib - base.median_rss_mib;
    std::printf("start-up %s/%s = %.3fx   target at most %.1fx   %s\n", calculator.name.c_str(),
                floor.name.c_str(), ratio, StartupRatioTarget,
                Verdict(ratio <= StartupRatioTarget));
    std::printf("rss      %s-%s = %+.2f MiB (%.3fx)   target at most +%.0f MiB   %s\n",
                calculator.name.c_str(), floor.name.c_str(), margin,
                mine.median_rss_mib / base.median_rss_mib, MemoryMarginTargetMib,
                Verdict(margin <= MemoryMarginTargetMib));
    return 0;
}

int PrintWindowSize(XServer& server, const Program& program) {
    const auto start = server.measure(program);
    if (!start || start->width <= 0)
        return 1;
    std::printf("%d %d\n", start->width, start->height);
    return 0;
}

Program MakeProgram(std::vector<std::string> arguments) {
    const std::string& path = arguments.front();
    const auto slash = path.rfind('/');
    return {slash == std::string::npos ? path : path.substr(slash + 1), std::move(arguments)};
}

int Usage() {
    std::fprintf(stderr, "usage: startup_probe [--runs N] PROGRAM [ARGS...] --floor FLOOR "
                         "[ARGS...]\n"
                         "       startup_probe --window-size PROGRAM [ARGS...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    int runs = DefaultRuns;
    bool wants_size = false;
    std::size_t next = 0;
    if (next < arguments.size() && arguments[next] == "--window-size") {
        wants_size = true;
        ++next;
    } else if (next + 1 < arguments.size() && arguments[next] == "--runs") {
        runs = std::atoi(arguments[next + 1].c_str());
        next += 2;
        if (runs <= 0)
            return Usage();
    }
    const auto floor_flag = std::find(arguments.begin() + static_cast<std::ptrdiff_t>(next),
                                      arguments.end(), "--floor");
    std::vector<std::string> first(arguments.begin() + static_cast<std::ptrdiff_t>(next),
                                   floor_flag);
    if (first.empty())
        return Usage();

    XServer server;
    if (!server.connect())
        return 1;
    if (wants_size)
        return floor_flag == arguments.end() ? PrintWindowSize(server, MakeProgram(first))
                                             : Usage();
    if (floor_flag == arguments.end() || floor_flag + 1 == arguments.end())
        return Usage();
    return Compare(server, MakeProgram(first),
                   MakeProgram(std::vector<std::string>(floor_flag + 1, arguments.end())), runs);
}
