// The one message loop: the modal main window. It opens the display window, creates the
// dialog, and then waits for input, dispatches it and presents a new frame when something
// changed. It sleeps in the backend while nothing happens; the only timer is the caret's
// blink, which stops ten seconds after the last input. Work of other threads (the
// accessibility bridge) runs here too, between two events.

#include "platform/core/window_system.h"

using Clock = std::chrono::steady_clock;

static constexpr auto BlinkHalfPeriod = std::chrono::milliseconds(500);
static constexpr auto BlinkDuration = std::chrono::seconds(10);

static bool CaretShouldBlink() {
    WindowSystem& system = Windows();
    return system.window_active && IsLive(system.caret_owner) && !system.idle_step &&
           Clock::now() - system.last_input < BlinkDuration;
}

// Milliseconds until the caret must change, or -1 when nothing is due.
static int NextTimeout() {
    WindowSystem& system = Windows();
    if (!CaretShouldBlink()) {
        if (!system.caret_on) {
            system.caret_on = true;
            RequestPaint();
        }
        return -1;
    }
    auto since = Clock::now() - system.last_input;
    auto phase = since % (2 * BlinkHalfPeriod);
    bool on = phase < BlinkHalfPeriod;
    if (on != system.caret_on) {
        system.caret_on = on;
        RequestPaint();
    }
    auto left = (on ? BlinkHalfPeriod : 2 * BlinkHalfPeriod) - phase;
    auto until_stop = BlinkDuration - since;
    if (until_stop < left) {
        left = until_stop;
    }
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

static void PresentIfNeeded() {
    WindowSystem& system = Windows();
    if (system.needs_paint) {
        PaintWindowTree();
        system.backend->present(system.frame);
    }
}

static INT_PTR RunModalLoop(HWND dialog) {
    WindowSystem& system = Windows();
    while (IsLive(dialog) && !dialog->dialog_ended && !system.loop_abandoned) {
        int timeout = NextTimeout();
        PresentIfNeeded();
        // After the frame, so that starting it never delays the first one; what it changed
        // is shown before the wait.
        if (system.between_events) {
            system.between_events();
            PresentIfNeeded();
        }
        InputEvent event;
        if (system.idle_step) {
            if (system.backend->wait_event(event, 0)) {
                DispatchInput(event);
            } else if (!system.idle_step()) {
                system.loop_abandoned = true;
            }
            continue;
        }
        if (system.backend->wait_event(event, timeout)) {
            DispatchInput(event);
        } else if (!system.backend->waits_for_input()) {
            system.loop_abandoned = true;
        }
    }
    if (!IsLive(dialog) || !dialog->dialog_ended) {
        return -1;
    }
    return dialog->dialog_result;
}

INT_PTR RunModalDialog(const DialogTemplate& dialog, HWND owner, DLGPROC procedure,
                       LPARAM init_param, HINSTANCE instance) {
    WindowSystem& system = Windows();
    // The window's font decides the size of a dialog unit.
    system.metrics = system.backend->font_metrics();
    WindowSpec spec;
    spec.title = dialog.caption != nullptr ? dialog.caption : "";
    spec.width = DialogUnitsToPixelsX(dialog.width);
    spec.height = DialogUnitsToPixelsY(dialog.height);
    if (!system.backend->open_window(spec)) {
        system.failure = system.backend->error();
        return -1;
    }
    system.metrics = system.backend->font_metrics();
    HWND window = CreateDialogFromTemplate(dialog, owner, procedure, init_param, instance);
    if (!IsLive(window)) {
        system.backend->close_window();
        return -1;
    }
    system.backend->set_icon(window->icon);
    // Last before the first frame, so that a desktop still answering has had all of
    // start-up to do so, and a dark desktop never sees the window light.
    FollowDesktopColours();
    INT_PTR result = RunModalLoop(window);
    DestroyTree(window);
    system.backend->close_window();
    return result;
}
