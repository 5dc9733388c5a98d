// Measures the time from a key pressed to the frame on screen that shows everything the key
// changed, in the calculator's real window on an X server without a window manager, and
// the same for the floor (sdl_floor), the least an SDL program does to answer a key, in the
// same run: the floor shows what the machine and the X server allow at the time.
//
// The probe starts the calculator, gives it the keyboard, clicks the "Dönüşüm" tab and the
// field "Onaltılık Değer" (4004), where it finds them from the window's own layout at the
// display's font (window_layout.h), and types 89ABCDE. Each digit there rewrites five fields:
// 4004 itself, the binary 4006, both decimal 4008 and 4010, and the octal 4012. It then
// records what those five fields look like with and without a trailing F (typed as f; the
// field makes it upper case), and checks that each of the five looks different in the two.
// It starts the floor beside it, in the screen's top-left corner, away from the calculator.
// Then it presses F and Backspace in turns, N keystrokes for each program, in blocks that
// alternate between the two, the keyboard given to the one being typed into.
//
// One keystroke: the damage object on the window is re-armed, t0 is taken just before the
// XTest key press is sent, and the probe waits for damage reports on the window. For the
// calculator it re-arms the damage object after each report and reads the five fields'
// pixels back; the first read that shows all five as they must be after the key ends the
// wait, and t1 is the time that report arrived. The server sends events and replies in
// order, so a frame drawn before the read was handled would have its report queued by then:
// when one is, the complete frame may have come after the report in hand, and t1 is taken
// as the time the read returned instead, a bound from above. For the floor, which draws one
// frame per key, t1 is its first report. Then the key is released, and the probe waits until
// the window has had no new frame for a moment before the next keystroke, so that each key
// meets an idle program, as a typist's keys mostly do.
//
// It prints the median, 95th and 99th percentiles and the maximum of t1 - t0 for both, and
// how many frames came per keystroke. From the scheduler's statistics (schedstat) it also
// prints how long the program ran on a CPU from just before the press to just after the
// frame, and how long it, the probe and (given its process) the X server were ready to run
// but waited for a CPU: on a busy machine the slowest keystrokes are mostly such waiting,
// which the program cannot help.
//
// The probe itself runs at a real-time priority where it may (SCHED_FIFO, not passed on to
// the programs it starts), so that its own wake-ups do not wait behind the machine's other
// work and add to what it measures; the programs run as any program does.
//
// The calculator's frames drew and sent only what changed. At the end the probe covers its
// window and uncovers it, so that it draws and sends all of it anew, and checks that the
// window looks the same as before: what the keystrokes left on the screen is the whole
// picture. The probe fails when it is not.
//
//   keystroke_probe [--keystrokes N] [--server-pid PID] PROGRAM [ARGS...]
//                   [--floor FLOOR [ARGS...]]
//       N (default 500, even) keystrokes for each program; PID, the X server's process, for
//       its waiting during the slowest keystrokes too.

#include "bench/live_window.h"
#include "bench/process_activity.h"
#include "bench/window_layout.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <sched.h>
#include <unistd.h>

namespace {

using Clock = LiveWindow::Clock;
using namespace std::chrono_literals;

constexpr int DefaultKeystrokes = 500;
constexpr int BlockLength = 50; // keystrokes for one program before the other's turn
constexpr double TargetP99Ms = 4.0;
constexpr int ConvertTab = 2;
constexpr int FieldIds[] = {4004, 4006, 4008, 4010, 4012};
constexpr const char* StartingValue = "89abcde";
constexpr KeySym TypedDigit = XK_f;
constexpr auto FrameTimeout = 2s;        // a keystroke that shows nothing by then failed
constexpr auto Quiet = 15ms;             // no new frame this long: the program is idle again
constexpr auto CalibrationQuiet = 150ms; // shorter than the caret's half-second blink
constexpr auto SettleLongest = 3s;
constexpr int ExposeAttempts = 3;
constexpr int ProbePriority = 10;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

struct Keystroke {
    double latency_ms = 0;
    // From just before the press to the complete frame: the program's time on a CPU, and
    // the time it and the probe were ready to run but waited for one.
    double program_cpu_ms = 0;
    double program_waiting_ms = 0;
    double probe_waiting_ms = 0;
    double server_waiting_ms = 0; // the X server's, when its process is known
    int frames = 0;               // reports read until the complete frame, that one included
    int later_frames = 0;         // reports after it, the key's release included
    bool is_bound = false;
};

// Whether the frame just reported is the one that shows all the key did.
using FrameCheck = std::function<bool(bool is_digit)>;

// One program under measurement: its window and what counts as a keystroke's frame there.
struct Subject {
    std::string name;
    LiveWindow* window;
    FrameCheck is_complete;
    std::vector<Keystroke> keystrokes;
};

// The calculator's five fields, each read back as one rectangle of pixels.
class Fields {
  public:
    using Picture = std::vector<std::vector<std::uint32_t>>;

    Fields(LiveWindow& window, const WindowLayout& layout) : m_window(window) {
        for (int id : FieldIds)
            m_rects.push_back(layout.controls.at(id));
    }

    Picture read() {
        Picture pictures;
        for (const PixelRect& rect : m_rects)
            pictures.push_back(m_window.read_pixels(rect));
        return pictures;
    }

  private:
    LiveWindow& m_window;
    std::vector<PixelRect> m_rects;
};

// The value at rank ceil(p * n) of the sorted values (the nearest-rank percentile).
double Percentile(const std::vector<double>& sorted, double fraction) {
    const auto rank =
        static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "keystroke_probe: %s\n", message.c_str());
    return 1;
}

int Usage() {
    std::fprintf(stderr, "usage: keystroke_probe [--keystrokes N] [--server-pid PID] PROGRAM "
                         "[ARGS...] [--floor FLOOR [ARGS...]]\n");
    return 2;
}

// Presses and releases one key; nullopt when no complete frame came in time. The X server's
// waiting is read when server is a process (not 0).
std::optional<Keystroke> Measure(Subject& subject, bool is_digit, pid_t server) {
    LiveWindow& window = *subject.window;
    const KeySym key = is_digit ? TypedDigit : XK_BackSpace;
    Keystroke keystroke;
    window.re_arm();
    const ProcessActivity program_before = ReadProcessActivity(window.pid());
    const ProcessActivity probe_before = ReadProcessActivity(getpid());
    const ProcessActivity server_before =
        server != 0 ? ReadProcessActivity(server) : ProcessActivity();
    const auto t0 = Clock::now();
    window.press_key(key);
    std::optional<Clock::time_point> t1;
    while (!t1) {
        const auto report = window.next_frame(t0 + FrameTimeout);
        if (!report)
            return std::nullopt;
        ++keystroke.frames;
        if (!subject.is_complete(is_digit))
            continue;
        keystroke.is_bound = window.is_frame_queued();
        t1 = keystroke.is_bound ? Clock::now() : *report;
    }
    keystroke.latency_ms = Milliseconds(*t1 - t0);
    const ProcessActivity program = ReadProcessActivity(window.pid()) - program_before;
    keystroke.program_cpu_ms = program.cpu_ms;
    keystroke.program_waiting_ms = program.waiting_ms;
    keystroke.probe_waiting_ms = (ReadProcessActivity(getpid()) - probe_before).waiting_ms;
    if (server != 0)
        keystroke.server_waiting_ms = (ReadProcessActivity(server) - server_before).waiting_ms;
    window.release_key(key);
    keystroke.later_frames = window.settle(Quiet, SettleLongest);
    return keystroke;
}

struct Summary {
    double median_ms, p95_ms, p99_ms, max_ms, min_ms;
};

Summary Print(const Subject& subject, bool has_server) {
    std::vector<double> latencies, cpu, waiting;
    int bounds = 0, most_frames = 0, later_frames = 0;
    for (const Keystroke& keystroke : subject.keystrokes) {
        latencies.push_back(keystroke.latency_ms);
        cpu.push_back(keystroke.program_cpu_ms);
        waiting.push_back(keystroke.program_waiting_ms);
        bounds += keystroke.is_bound ? 1 : 0;
        most_frames = std::max(most_frames, keystroke.frames);
        later_frames += keystroke.later_frames;
    }
    for (auto* values : {&latencies, &cpu, &waiting})
        std::sort(values->begin(), values->end());
    // The slowest keystrokes, and how long the program and the probe waited for a CPU
    // during them: on a busy machine, that is where the tail comes from.
    std::vector<Keystroke> by_latency = subject.keystrokes;
    std::sort(by_latency.begin(), by_latency.end(),
              [](const Keystroke& a, const Keystroke& b) { return a.latency_ms > b.latency_ms; });
    const std::size_t slowest = std::max<std::size_t>(by_latency.size() / 100, 1);
    std::vector<double> slow_latency, slow_program_waiting, slow_probe_waiting, slow_server_waiting;
    for (std::size_t index = 0; index < slowest; ++index) {
        slow_latency.push_back(by_latency[index].latency_ms);
        slow_program_waiting.push_back(by_latency[index].program_waiting_ms);
        slow_probe_waiting.push_back(by_latency[index].probe_waiting_ms);
        slow_server_waiting.push_back(by_latency[index].server_waiting_ms);
    }
    for (auto* values :
         {&slow_latency, &slow_program_waiting, &slow_probe_waiting, &slow_server_waiting})
        std::sort(values->begin(), values->end());

    const Summary summary = {Percentile(latencies, 0.5), Percentile(latencies, 0.95),
                             Percentile(latencies, 0.99), latencies.back(), latencies.front()};
    const char* name = subject.name.c_str();
    std::printf("%-9s latency  median %.3f ms  p95 %.3f ms  p99 %.3f ms  max %.3f ms  min %.3f "
                "ms  (%zu keystrokes)\n",
                name, summary.median_ms, summary.p95_ms, summary.p99_ms, summary.max_ms,
                summary.min_ms, latencies.size());
    std::printf("%-9s frames   at most %d per keystroke up to the complete one; %d more after "
                "it in all; %d taken at the read (bound)\n",
                "", most_frames, later_frames, bounds);
    std::printf("%-9s program  from the press to the frame: CPU median %.1f us, p99 %.1f us; "
                "waited for a CPU median %.1f us, p99 %.1f us\n",
                "", Percentile(cpu, 0.5) * 1000.0, Percentile(cpu, 0.99) * 1000.0,
                Percentile(waiting, 0.5) * 1000.0, Percentile(waiting, 0.99) * 1000.0);
    std::printf("%-9s slowest  %zu: latency median %.3f ms; waited for a CPU (medians): the "
                "program %.3f ms, the probe %.3f ms",
                "", slowest, Percentile(slow_latency, 0.5), Percentile(slow_program_waiting, 0.5),
                Percentile(slow_probe_waiting, 0.5));
    if (has_server)
        std::printf(", the X server %.3f ms", Percentile(slow_server_waiting, 0.5));
    std::printf("\n");
    return summary;
}

// Covers the window and uncovers it, and compares what it shows before and after the whole
// redraw that follows. A fresh keystroke comes first, so that the caret cannot blink in
// between; an attempt that meets a blink anyway is made again.
bool IsSameAfterExpose(LiveWindow& window) {
    const PixelRect whole{0, 0, window.width(), window.height()};
    for (int attempt = 0; attempt < ExposeAttempts; ++attempt) {
        window.tap_key(attempt % 2 == 0 ? TypedDigit : XK_BackSpace);
        window.settle(Quiet, SettleLongest);
        const auto shown = window.read_pixels(whole);
        window.expose();
        const int redrawn = window.settle(Quiet, SettleLongest);
        if (redrawn > 0 && window.read_pixels(whole) == shown)
            return true;
    }
    return false;
}

// True when the probe now runs at a real-time priority; its children start with the normal
// one (SCHED_RESET_ON_FORK).
bool RaiseOwnPriority() {
    sched_param parameter = {};
    parameter.sched_priority = ProbePriority;
    return sched_setscheduler(0, SCHED_FIFO | SCHED_RESET_ON_FORK, &parameter) == 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    int keystrokes = DefaultKeystrokes;
    if (arguments.size() >= 2 && arguments.front() == "--keystrokes") {
        keystrokes = std::atoi(arguments[1].c_str());
        arguments.erase(arguments.begin(), arguments.begin() + 2);
        if (keystrokes <= 0 || keystrokes % 2 != 0)
            return Usage();
    }
    pid_t server = 0;
    if (arguments.size() >= 2 && arguments.front() == "--server-pid") {
        server = static_cast<pid_t>(std::atoi(arguments[1].c_str()));
        arguments.erase(arguments.begin(), arguments.begin() + 2);
        if (server <= 0)
            return Usage();
    }
    const auto floor_flag = std::find(arguments.begin(), arguments.end(), "--floor");
    const std::vector<std::string> calculator_command(arguments.begin(), floor_flag);
    const std::vector<std::string> floor_command(
        floor_flag == arguments.end() ? floor_flag : floor_flag + 1, arguments.end());
    if (calculator_command.empty() || (floor_flag != arguments.end() && floor_command.empty()))
        return Usage();

    const bool is_probe_raised = RaiseOwnPriority();
    LiveWindow calculator;
    if (!calculator.connect())
        return Fail(calculator.error());
    std::string error;
    const auto layout = MeasureWindowLayout(error);
    if (!layout)
        return Fail("cannot lay the window out: " + error);
    if (!calculator.start(calculator_command))
        return Fail(calculator.error());
    if (calculator.width() != layout->width || calculator.height() != layout->height)
        return Fail("the window is " + std::to_string(calculator.width()) + "x" +
                    std::to_string(calculator.height()) + ", its layout " +
                    std::to_string(layout->width) + "x" + std::to_string(layout->height));

    // To the starting state, as a user gets there.
    calculator.give_focus();
    const PixelRect tab = layout->tabs.at(ConvertTab);
    calculator.click(CentreX(tab), CentreY(tab));
    calculator.settle(CalibrationQuiet, SettleLongest);
    const PixelRect field = layout->controls.at(FieldIds[0]);
    calculator.click(CentreX(field), CentreY(field));
    calculator.tap_key(XK_End);
    calculator.tap_keys(StartingValue);
    calculator.settle(CalibrationQuiet, SettleLongest);

    // What the fields look like with and without the digit.
    Fields fields(calculator, *layout);
    const Fields::Picture without_digit = fields.read();
    calculator.tap_key(TypedDigit);
    calculator.settle(CalibrationQuiet, SettleLongest);
    const Fields::Picture with_digit = fields.read();
    calculator.tap_key(XK_BackSpace);
    calculator.settle(CalibrationQuiet, SettleLongest);
    if (fields.read() != without_digit)
        return Fail("Backspace does not bring the fields back to how they were");
    for (std::size_t index = 0; index < std::size(FieldIds); ++index) {
        if (with_digit[index].empty() || with_digit[index] == without_digit[index])
            return Fail("field " + std::to_string(FieldIds[index]) +
                        " looks the same with and without the digit");
    }

    std::vector<Subject> subjects;
    subjects.push_back(
        {"kalvetra",
         &calculator,
         [&](bool is_digit) { return fields.read() == (is_digit ? with_digit : without_digit); },
         {}});
    LiveWindow floor;
    if (!floor_command.empty()) {
        if (!floor.start(floor_command))
            return Fail(floor.error());
        floor.move_to(0, 0);
        floor.settle(CalibrationQuiet, SettleLongest);
        subjects.push_back({"sdl_floor", &floor, [](bool) { return true; }, {}});
    }

    // Blocks in turns; the program that goes first changes from block to block.
    for (int done = 0, block = 0; done < keystrokes; done += BlockLength, ++block) {
        const int length = std::min(BlockLength, keystrokes - done);
        for (std::size_t turn = 0; turn < subjects.size(); ++turn) {
            Subject& subject = subjects[(turn + static_cast<std::size_t>(block)) % subjects.size()];
            subject.window->give_focus();
            subject.window->settle(CalibrationQuiet, SettleLongest);
            for (int number = 0; number < length; ++number) {
                const auto keystroke = Measure(subject, number % 2 == 0, server);
                if (!keystroke)
                    return Fail(subject.name + ": keystroke " +
                                std::to_string(subject.keystrokes.size() + 1) +
                                ": no complete frame in time");
                subject.keystrokes.push_back(*keystroke);
            }
        }
    }

    calculator.give_focus();
    calculator.settle(CalibrationQuiet, SettleLongest);
    const bool is_same_after_expose = IsSameAfterExpose(calculator);

    std::printf("keystroke to screen: F and Backspace in turns, in field 4004 of the calculator's "
                "real window (%dx%d)%s;\n",
                calculator.width(), calculator.height(),
                floor_command.empty() ? "" : " and in the floor's window, in blocks of 50");
    std::printf("t0 before the XTest key press, t1 at the damage report of the first frame "
                "showing all five dependent fields updated (the floor: its frame);\n");
    std::printf("the probe at %s, the programs at the normal one\n",
                is_probe_raised ? "a real-time priority (SCHED_FIFO)"
                                : "the normal priority (no permission for a real-time one)");
    const Summary mine = Print(subjects.front(), server != 0);
    if (subjects.size() > 1) {
        const Summary base = Print(subjects.back(), server != 0);
        std::printf("kalvetra/sdl_floor  median %.2fx  p99 %.2fx   no target: what the machine "
                    "allowed meanwhile\n",
                    mine.median_ms / base.median_ms, mine.p99_ms / base.p99_ms);
    }
    std::printf("check    the window as the keystrokes left it %s what a whole redraw after an "
                "expose shows\n",
                is_same_after_expose ? "is" : "is NOT");
    std::printf("p99 %.3f ms   target under %.0f ms   %s\n", mine.p99_ms, TargetP99Ms,
                mine.p99_ms < TargetP99Ms ? "PASS" : "MISS");
    return is_same_after_expose ? 0 : 1;
}
