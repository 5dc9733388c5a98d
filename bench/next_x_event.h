#pragma once

// Waiting for the X server's next event with a deadline, for the probes: the wait wakes
// every 20 ms to ask whether the program it watches has ended, so that a crash does not
// stall the probe until the deadline.

#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>

// The next event, or false at the deadline or once `has_ended()` says the program is gone.
template <typename HasEnded>
bool NextXEvent(Display* display, XEvent& event, std::chrono::steady_clock::time_point deadline,
                HasEnded has_ended) {
    using namespace std::chrono_literals;
    constexpr auto PollSlice = 20ms;
    while (XPending(display) == 0) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline || has_ended())
            return false;
        const auto slice = std::min<std::chrono::steady_clock::duration>(deadline - now, PollSlice);
        pollfd connection = {ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1,
             static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(slice).count()));
    }
    XNextEvent(display, &event);
    return true;
}
