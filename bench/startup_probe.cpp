// Measures how long a program takes from being started to its first frame on screen, and
// how much memory it then holds, for two programs taken in turns: the calculator and the
// floor (sdl_floor). It is an X client of its own on a server without a window manager,
// where a program's top-level window is a direct child of the root window.
//
// One start: t0 is taken just before posix_spawn. The probe watches the root window's
// children (SubstructureNotifyMask). On the CreateNotify of a top-level window it creates
// an XDamage object on it (XDamageReportNonEmpty) and syncs with the server, which tells
// whether the window was mapped by then (its MapNotify is already queued). Drawing into a
// window that is not mapped shows nothing and raises no damage, so a damage object made
// before the map sees every frame. One made after the map reports the window's visible
// area at once; that report, like any damage that leaves the window showing only the root
// window's colour (the probe paints the root a colour no program here draws), is not a
// frame. So on every DamageNotify the probe re-arms the damage object (XDamageSubtract) and
// reads one row of the window back: while it shows the root colour nothing has been drawn
// and the wait goes on, and any drawing after the re-arming reports again. The first
// DamageNotify after which the window shows something else is the first presented frame:
// t1. Only when the damage object came after the map and its very first report already
// finds a frame can that frame have gone by unreported; t1 is then taken as the MapNotify
// time, a lower bound, and the start is marked "(bound)". At t1 it also reads how long the
// program's threads have run and have waited for a CPU (/proc/PID/task/*/schedstat): the
// work done to the first frame, which a busy machine changes much less than the start-up
// time. 300 ms after t1 it reads VmRSS from /proc/PID/status and ends the program with
// SIGTERM.
//
//   startup_probe [--runs N] PROGRAM [ARGS...] --floor FLOOR [ARGS...]
//       N (default 21) starts of each, alternating, after one unmeasured start of each;
//       prints every start, then medians and the targets: start-up at most 1.2 times the
//       floor's, resident memory at most the floor's plus 4 MiB.
//   startup_probe --window-size PROGRAM [ARGS...]
//       starts PROGRAM once and prints its top-level window's size: "WIDTH HEIGHT".

#include "next_x_event.h"

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
#include <utility>
#include <vector>

#include <dirent.h>
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
    double startup_ms = 0;       // t0 to the first frame
    double mapped_ms = 0;        // t0 to the MapNotify
    bool is_bound = false;       // the frame came before the damage object: startup_ms = mapped_ms
    bool is_damage_late = false; // the damage object was made after the map (read back)
    double rss_mib = 0;          // 300 ms after the first frame
    double cpu_ms = 0;           // on a CPU until the first frame, all threads
    double waiting_ms = 0;       // runnable but waiting for a CPU until then
    int width = 0, height = 0;   // the top-level window
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

// The time the program's threads have run and have waited to run so far, from
// /proc/PID/task/TID/schedstat ("run_ns wait_ns timeslices"). Unlike the start-up time it
// hardly depends on what else the machine is doing.
struct SchedulerTimes {
    double running_ms = 0;
    double waiting_ms = 0;
};

SchedulerTimes ThreadTimes(pid_t pid) {
    SchedulerTimes times;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* directory = opendir(tasks.c_str());
    if (directory == nullptr)
        return times;
    while (const dirent* entry = readdir(directory)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream schedstat(tasks + "/" + entry->d_name + "/schedstat");
        double running_ns = 0, waiting_ns = 0;
        if (schedstat >> running_ns >> waiting_ns) {
            times.running_ms += running_ns / 1e6;
            times.waiting_ms += waiting_ns / 1e6;
        }
    }
    closedir(directory);
    return times;
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
    enum class Report { First, Later };

    bool next_event(XEvent& event, Clock::time_point deadline, pid_t pid);
    bool is_mapped_in_queue(Window window);
    bool shows_root_colour(Window window, int width, int height);
    void wait_until_gone(std::map<Window, TopLevel>& top_levels);

    Display* m_display = nullptr;
    Window m_root = 0;
    unsigned long m_root_pixel = 0;
    int m_damage_event_base = 0;
};

// The next event, or false at the deadline or when the program has died meanwhile.
bool XServer::next_event(XEvent& event, Clock::time_point deadline, pid_t pid) {
    return NextXEvent(m_display, event, deadline, [pid] { return pid > 0 && HasExited(pid); });
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

// Whether the window's middle row still shows the root colour through it, pixel for pixel.
bool XServer::shows_root_colour(Window window, int width, int height) {
    XImage* row = XGetImage(m_display, window, 0, height / 2, width, 1, AllPlanes, ZPixmap);
    if (row == nullptr)
        return false; // unreadable: taken as drawn, rather than waiting for ever
    bool is_root = true;
    for (int x = 0; x < width && is_root; ++x)
        is_root = XGetPixel(row, x, 0) == m_root_pixel;
    XDestroyImage(row);
    return is_root;
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
    auto report = Report::First;
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
            // A window created before the spawn is no window of this start.
            if (!top_levels.contains(event.xmap.window))
                continue;
            shown = event.xmap.window;
            start.mapped_ms = Milliseconds(now - t0);
            XWindowAttributes attributes;
            if (XGetWindowAttributes(m_display, shown, &attributes)) {
                start.width = attributes.width;
                start.height = attributes.height;
            }
        } else if (event.type == m_damage_event_base + XDamageNotify) {
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            if (shown == 0 || damage.drawable != shown)
                continue;
            const auto this_report = std::exchange(report, Report::Later);
            XDamageSubtract(m_display, damage.damage, None, None);
            if (shows_root_colour(shown, start.width, start.height))
                continue;
            first_frame = now;
            start.is_damage_late = !top_levels[shown].is_damage_before_map;
            start.is_bound = this_report == Report::First && start.is_damage_late;
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
    const SchedulerTimes times = ThreadTimes(*pid);
    start.cpu_ms = times.running_ms;
    start.waiting_ms = times.waiting_ms;

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
    double median_ms, min_ms, max_ms;
    double median_cpu_ms, median_waiting_ms, median_rss_mib;
    int bounds;
    int late_damage_objects;
};

Summary Summarise(const std::vector<Start>& starts) {
    std::vector<double> startup, cpu, waiting, rss;
    int bounds = 0;
    int late_damage_objects = 0;
    for (const Start& start : starts) {
        startup.push_back(start.startup_ms);
        cpu.push_back(start.cpu_ms);
        waiting.push_back(start.waiting_ms);
        rss.push_back(start.rss_mib);
        bounds += start.is_bound ? 1 : 0;
        late_damage_objects += start.is_damage_late ? 1 : 0;
    }
    return {Median(startup),
            *std::min_element(startup.begin(), startup.end()),
            *std::max_element(startup.begin(), startup.end()),
            Median(cpu),
            Median(waiting),
            Median(rss),
            bounds,
            late_damage_objects};
}

void PrintStart(int run, const Program& program, const Start& start, std::size_t name_width) {
    std::printf("run %2d  %-*s  start-up %7.2f ms%s  mapped %7.2f ms  cpu %6.2f ms  waited "
                "%6.2f ms  rss %6.2f MiB  window %dx%d  first damage %dx%d\n",
                run, static_cast<int>(name_width), program.name.c_str(), start.startup_ms,
                start.is_bound ? " (bound)" : "        ", start.mapped_ms, start.cpu_ms,
                start.waiting_ms, start.rss_mib, start.width, start.height, start.damage_width,
                start.damage_height);
    std::fflush(stdout);
}

void PrintSummary(const Program& program, const Summary& summary, int runs,
                  std::size_t name_width) {
    std::printf("%-*s  start-up median %7.2f ms (min %7.2f, max %7.2f)  cpu median %6.2f ms  "
                "waited median %6.2f ms  rss median %6.2f MiB\n",
                static_cast<int>(name_width), program.name.c_str(), summary.median_ms,
                summary.min_ms, summary.max_ms, summary.median_cpu_ms, summary.median_waiting_ms,
                summary.median_rss_mib);
    std::printf("%-*s  damage object after the map in %d of %d starts, %d of them taken at the "
                "MapNotify\n",
                static_cast<int>(name_width), "", summary.late_damage_objects, runs,
                summary.bounds);
}

const char* Verdict(bool met) {
    return met ? "PASS" : "MISS";
}

int Compare(XServer& server, const Program& calculator, const Program& floor, int runs) {
    const std::size_t name_width = std::max(calculator.name.size(), floor.name.size());
    std::printf("start-up: t0 before posix_spawn to the first XDamage report on the program's "
                "mapped top-level window;\n");
    std::printf("cpu, waited: time the program's threads ran, and were runnable but waited for a "
                "CPU, until then (schedstat);\n");
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
    std::printf("\n");
    PrintSummary(calculator, mine, runs, name_width);
    PrintSummary(floor, base, runs, name_width);
    const double ratio = mine.median_ms / base.median_ms;
    const double margin = mine.median_rss_mib - base.median_rss_mib;
    std::printf("start-up %s/%s = %.3fx   target at most %.1fx   %s\n", calculator.name.c_str(),
                floor.name.c_str(), ratio, StartupRatioTarget,
                Verdict(ratio <= StartupRatioTarget));
    std::printf("rss      %s-%s = %+.2f MiB (%.3fx)   target at most +%.0f MiB   %s\n",
                calculator.name.c_str(), floor.name.c_str(), margin,
                mine.median_rss_mib / base.median_rss_mib, MemoryMarginTargetMib,
                Verdict(margin <= MemoryMarginTargetMib));
    std::printf("cpu      %s/%s = %.3fx   no target: the work to the first frame, which the "
                "machine's load hardly changes\n",
                calculator.name.c_str(), floor.name.c_str(),
                mine.median_cpu_ms / base.median_cpu_ms);
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
