// Measures what the calculator does while nobody uses it, in its real window on an X server
// without a window manager: how often it wakes up and how much CPU time it takes.
//
// The probe starts the calculator, gives it the keyboard and clicks into the first operand
// field (2003), where the caret then blinks. It counts the program's context switches
// (voluntary and forced, all threads, /proc/PID/task/*/status) and CPU time (utime + stime
// of /proc/PID/task/*/stat in clock ticks, and schedstat's nanoseconds), and the frames the
// window shows (XDamage reports), in three states, each entered with a click into the field
// as the last input:
//
//   focused    the window keeps the keyboard, the caret in the field;
//   unfocused  the keyboard goes to another window (a small one the probe opens away from
//              the pointer);
//   hidden     the window keeps the keyboard and is then unmapped, as xdotool windowunmap
//              does; the X server moves the keyboard away from an unmapped window.
//
// For each it measures the first 10 s after the click, while the caret may blink, as
// frames and wake-ups per second and the times between frames; then, after a further 2 s,
// the 3 s from 12 s to 15 s after the click, when nothing at all may happen. Targets: no
// context switch and no CPU time in those 3 s, and the caret's blink at most two changes a
// second in the first 10 s.
//
//   idle_probe PROGRAM [ARGS...]

#include "bench/live_window.h"
#include "bench/process_activity.h"
#include "bench/window_layout.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

using Clock = LiveWindow::Clock;
using namespace std::chrono_literals;

constexpr int FieldId = 2003;
constexpr auto BlinkWindow = 10s; // the caret blinks at most this long after an input
constexpr auto QuietStart = 12s;  // the quiet measurement starts this long after it
constexpr auto QuietLength = 3s;
constexpr auto ClickSettle = 100ms; // for the click's own frames, before the count starts
constexpr double MostBlinkChangesPerSecond = 2.0;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

enum class State { Focused, Unfocused, Hidden };

const char* StateName(State state) {
    switch (state) {
    case State::Focused:
        return "focused";
    case State::Unfocused:
        return "unfocused";
    case State::Hidden:
        return "hidden";
    }
    return "";
}

struct Measurement {
    // From ClickSettle to BlinkWindow after the click.
    int blink_frames = 0;
    double blink_seconds = 0;
    ProcessActivity blink_activity;
    double shortest_gap_ms = 0, longest_gap_ms = 0; // between frames; 0 with fewer than two
    // From QuietStart to QuietStart + QuietLength.
    int quiet_frames = 0;
    ProcessActivity quiet_activity;
};

// Counts frames until the deadline, noting when each came.
int CountFrames(LiveWindow& window, Clock::time_point deadline,
                std::vector<Clock::time_point>& times) {
    int frames = 0;
    while (const auto frame = window.next_frame(deadline)) {
        times.push_back(*frame);
        ++frames;
    }
    return frames;
}

std::optional<Measurement> Measure(LiveWindow& window, const WindowLayout& layout, State state) {
    const PixelRect field = layout.controls.at(FieldId);
    window.give_focus();
    window.click(CentreX(field), CentreY(field));
    window.flush();
    const auto clicked = Clock::now();
    if (state == State::Unfocused)
        window.give_focus_elsewhere();
    else if (state == State::Hidden)
        window.unmap();
    std::this_thread::sleep_until(clicked + ClickSettle);
    window.re_arm();

    Measurement measurement;
    const auto blink_start = Clock::now();
    const ProcessActivity blink_before = ReadProcessActivity(window.pid());
    std::vector<Clock::time_point> times;
    measurement.blink_frames = CountFrames(window, clicked + BlinkWindow, times);
    measurement.blink_activity = ReadProcessActivity(window.pid()) - blink_before;
    measurement.blink_seconds = Seconds(Clock::now() - blink_start);
    for (std::size_t index = 1; index < times.size(); ++index) {
        const double gap = Seconds(times[index] - times[index - 1]) * 1000.0;
        measurement.shortest_gap_ms = index == 1 ? gap : std::min(measurement.shortest_gap_ms, gap);
        measurement.longest_gap_ms = std::max(measurement.longest_gap_ms, gap);
    }

    std::this_thread::sleep_until(clicked + QuietStart);
    window.re_arm();
    const ProcessActivity quiet_before = ReadProcessActivity(window.pid());
    measurement.quiet_frames = CountFrames(window, clicked + QuietStart + QuietLength, times);
    measurement.quiet_activity = ReadProcessActivity(window.pid()) - quiet_before;
    if (!window.is_running())
        return std::nullopt;
    return measurement;
}

const char* Verdict(bool met) {
    return met ? "PASS" : "MISS";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: idle_probe PROGRAM [ARGS...]\n");
        return 2;
    }
    LiveWindow window;
    if (!window.connect()) {
        std::fprintf(stderr, "idle_probe: %s\n", window.error().c_str());
        return 1;
    }
    std::string error;
    const auto layout = MeasureWindowLayout(error);
    if (!layout) {
        std::fprintf(stderr, "idle_probe: cannot lay the window out: %s\n", error.c_str());
        return 1;
    }
    if (!window.start(std::vector<std::string>(argv + 1, argv + argc))) {
        std::fprintf(stderr, "idle_probe: %s\n", window.error().c_str());
        return 1;
    }
    const double ticks_per_ms = static_cast<double>(sysconf(_SC_CLK_TCK)) / 1000.0;

    std::printf("idle: after a click into field %d, frames (XDamage reports) and the program's "
                "context switches and CPU time;\n",
                FieldId);
    std::printf("blink: %.1f s to %.0f s after the click; quiet: %.0f s to %.0f s after it\n",
                Seconds(ClickSettle), Seconds(BlinkWindow), Seconds(QuietStart),
                Seconds(QuietStart + QuietLength));
    bool quiet_met = true;
    bool blink_met = true;
    for (State state : {State::Focused, State::Unfocused, State::Hidden}) {
        const auto measured = Measure(window, *layout, state);
        if (!measured) {
            std::fprintf(stderr, "idle_probe: the program ended while %s\n", StateName(state));
            return 1;
        }
        const double per_second = measured->blink_frames / measured->blink_seconds;
        std::printf("%-9s  blink: %2d frames (%.2f a second, %zu gaps %.0f-%.0f ms), %3lld "
                    "context switches (%.2f a second), %.2f ms CPU\n",
                    StateName(state), measured->blink_frames, per_second,
                    static_cast<std::size_t>(std::max(measured->blink_frames - 1, 0)),
                    measured->shortest_gap_ms, measured->longest_gap_ms,
                    measured->blink_activity.context_switches,
                    static_cast<double>(measured->blink_activity.context_switches) /
                        measured->blink_seconds,
                    measured->blink_activity.cpu_ms);
        std::printf("%-9s  quiet: %2d frames, %3lld context switches, %lld clock ticks "
                    "(%.0f ms) and %.3f ms CPU (schedstat)\n",
                    "", measured->quiet_frames, measured->quiet_activity.context_switches,
                    measured->quiet_activity.cpu_ticks,
                    static_cast<double>(measured->quiet_activity.cpu_ticks) / ticks_per_ms,
                    measured->quiet_activity.cpu_ms);
        quiet_met = quiet_met && measured->quiet_frames == 0 &&
                    measured->quiet_activity.context_switches == 0 &&
                    measured->quiet_activity.cpu_ticks == 0 && measured->quiet_activity.cpu_ms == 0;
        blink_met = blink_met && per_second <= MostBlinkChangesPerSecond;
    }
    std::printf("quiet from %.0f s after the last input: zero wake-ups, zero CPU time   %s\n",
                Seconds(QuietStart), Verdict(quiet_met));
    std::printf("caret blink: at most %.0f changes a second   %s\n", MostBlinkChangesPerSecond,
                Verdict(blink_met));
    return 0;
}
