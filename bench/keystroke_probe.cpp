// Measures the time from a key pressed to the frame on screen that shows everything the key
// changed, in the calculator's real window on an X server without a window manager.
//
// The probe starts the calculator, gives it the keyboard, clicks the "Dönüşüm" tab and the
// field "Onaltılık Değer" (4004), where it finds them from the window's own layout at the
// display's font (window_layout.h), and types 89ABCDE. Each digit there rewrites five fields:
// 4004 itself, the binary 4006, both decimal 4008 and 4010, and the octal 4012. It then
// records what those five fields look like with and without a trailing F (typed as f; the
// field makes it upper case), checks that each of the five looks different in the two, and
// presses F and Backspace in turns, N keystrokes in all.
//
// One keystroke: the damage object on the window is re-armed, t0 is taken just before the
// XTest key press is sent, and the probe waits for damage reports on the window. After each
// report it re-arms the damage object and reads the five fields' pixels back. The first
// read that shows all five as they must be after the key ends the wait, and t1 is the time
// that report arrived. The server sends events and replies in order, so a frame drawn
// before the read was handled would have its report queued by then: when one is, the
// complete frame may have come after the report in hand, and t1 is taken as the time the
// read returned instead, a bound from above. Then the key is released, and the probe waits
// until the window has had no new frame for a moment before the next keystroke, so that
// each key meets an idle program, as a typist's keys mostly do.
//
// It prints the median, 95th and 99th percentiles and the maximum of t1 - t0, how many
// frames came per keystroke, and the CPU time the calculator used per keystroke (press and
// release), which the machine's load changes less than the latency.
//
//   keystroke_probe [--keystrokes N] PROGRAM [ARGS...]      (N defaults to 500)

#include "bench/live_window.h"
#include "bench/process_activity.h"
#include "bench/window_layout.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = LiveWindow::Clock;
using namespace std::chrono_literals;

constexpr int DefaultKeystrokes = 500;
constexpr double TargetP99Ms = 4.0;
constexpr int ConvertTab = 2;
constexpr int FieldIds[] = {4004, 4006, 4008, 4010, 4012};
constexpr const char* StartingValue = "89abcde";
constexpr KeySym TypedDigit = XK_f;
constexpr auto FrameTimeout = 2s;   // a keystroke that shows nothing by then failed
constexpr auto Quiet = 15ms;        // no new frame this long: the program is idle again
constexpr auto CalibrationQuiet = 150ms; // shorter than the caret's half-second blink
constexpr auto SettleLongest = 3s;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// What the five fields show, one rectangle each, read in one go.
class Fields {
  public:
    Fields(LiveWindow& window, const WindowLayout& layout) : m_window(window) {
        for (int id : FieldIds)
            m_rects.push_back(layout.controls.at(id));
    }

    std::vector<std::vector<std::uint32_t>> read() {
        std::vector<std::vector<std::uint32_t>> pictures;
        for (const PixelRect& rect : m_rects)
            pictures.push_back(m_window.read_pixels(rect));
        return pictures;
    }

  private:
    LiveWindow& m_window;
    std::vector<PixelRect> m_rects;
};

struct Keystroke {
    double latency_ms = 0;
    int frames = 0;       // reports read until the complete frame, that one included
    int later_frames = 0; // reports after it, the key's release included
    bool is_bound = false;
};

// The value at rank ceil(p * n) of the sorted values (the nearest-rank percentile).
double Percentile(const std::vector<double>& sorted, double fraction) {
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "keystroke_probe: %s\n", message.c_str());
    return 1;
}

int Usage() {
    std::fprintf(stderr, "usage: keystroke_probe [--keystrokes N] PROGRAM [ARGS...]\n");
    return 2;
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
    if (arguments.empty())
        return Usage();

    std::string error;
    const auto layout = MeasureWindowLayout(error);
    if (!layout)
        return Fail("cannot lay the window out: " + error);
    LiveWindow window;
    if (!window.start(arguments))
        return Fail(window.error());
    if (window.width() != layout->width || window.height() != layout->height)
        return Fail("the window is " + std::to_string(window.width()) + "x" +
                    std::to_string(window.height()) + ", its layout " +
                    std::to_string(layout->width) + "x" + std::to_string(layout->height));

    // To the starting state, as a user gets there.
    window.give_focus();
    const PixelRect tab = layout->tabs.at(ConvertTab);
    window.click(CentreX(tab), CentreY(tab));
    window.settle(CalibrationQuiet, SettleLongest);
    const PixelRect field = layout->controls.at(FieldIds[0]);
    window.click(CentreX(field), CentreY(field));
    window.tap_key(XK_End);
    window.tap_keys(StartingValue);
    window.settle(CalibrationQuiet, SettleLongest);

    // What the fields look like with and without the digit.
    Fields fields(window, *layout);
    const auto without_digit = fields.read();
    window.tap_key(TypedDigit);
    window.settle(CalibrationQuiet, SettleLongest);
    const auto with_digit = fields.read();
    window.tap_key(XK_BackSpace);
    window.settle(CalibrationQuiet, SettleLongest);
    if (fields.read() != without_digit)
        return Fail("Backspace does not bring the fields back to how they were");
    for (std::size_t index = 0; index < std::size(FieldIds); ++index) {
        if (with_digit[index].empty() || with_digit[index] == without_digit[index])
            return Fail("field " + std::to_string(FieldIds[index]) +
                        " looks the same with and without the digit");
    }

    std::vector<Keystroke> measured;
    const ProcessActivity before = ReadProcessActivity(window.pid());
    for (int number = 0; number < keystrokes; ++number) {
        const bool is_digit = number % 2 == 0;
        const KeySym key = is_digit ? TypedDigit : XK_BackSpace;
        const auto& expected = is_digit ? with_digit : without_digit;
        Keystroke keystroke;
        window.re_arm();
        const auto t0 = Clock::now();
        window.press_key(key);
        std::optional<Clock::time_point> t1;
        while (!t1) {
            const auto report = window.next_frame(t0 + FrameTimeout);
            if (!report)
                return Fail("keystroke " + std::to_string(number + 1) +
                            ": no frame showed all five fields in time");
            ++keystroke.frames;
            if (fields.read() != expected)
                continue;
            keystroke.is_bound = window.is_frame_queued();
            t1 = keystroke.is_bound ? Clock::now() : *report;
        }
        keystroke.latency_ms = Milliseconds(*t1 - t0);
        window.release_key(key);
        keystroke.later_frames = window.settle(Quiet, SettleLongest);
        measured.push_back(keystroke);
    }
    const ProcessActivity used = ReadProcessActivity(window.pid()) - before;

    std::vector<double> latencies;
    int bounds = 0, most_frames = 0, later_frames = 0;
    for (const Keystroke& keystroke : measured) {
        latencies.push_back(keystroke.latency_ms);
        bounds += keystroke.is_bound ? 1 : 0;
        most_frames = std::max(most_frames, keystroke.frames);
        later_frames += keystroke.later_frames;
    }
    std::sort(latencies.begin(), latencies.end());
    const double p99 = Percentile(latencies, 0.99);
    std::printf("keystroke to screen: %d keystrokes (F and Backspace in turns) in field 4004 of "
                "the real window (%dx%d),\n",
                keystrokes, window.width(), window.height());
    std::printf("t0 before the XTest key press, t1 at the damage report of the first frame "
                "showing all five dependent fields updated\n");
    std::printf("latency  median %.3f ms  p95 %.3f ms  p99 %.3f ms  max %.3f ms  min %.3f ms\n",
                Percentile(latencies, 0.5), Percentile(latencies, 0.95), p99, latencies.back(),
                latencies.front());
    std::printf("frames   at most %d per keystroke up to the complete one; %d more after it in "
                "all; %d of %d taken at the read (bound)\n",
                most_frames, later_frames, bounds, keystrokes);
    std::printf("program  %.1f us CPU per keystroke (press and release, schedstat), %.1f "
                "context switches per keystroke\n",
                used.cpu_ms * 1000.0 / keystrokes,
                static_cast<double>(used.context_switches) / keystrokes);
    std::printf("p99 %.3f ms   target under %.0f ms   %s\n", p99, TargetP99Ms,
                p99 < TargetP99Ms ? "PASS" : "MISS");
    return 0;
}
