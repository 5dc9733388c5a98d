#include "platform/accessibility/atk/assistive_technology.h"

#include "platform/accessibility/atk/accessibility_status.h"
#include "platform/accessibility/atk/atk_events.h"
#include "platform/accessibility/atk/atk_toolkit.h"
#include "platform/backends/desktop/glib_pump.h"
#include "platform/core/window_system.h"

#include <atk-bridge.h>

#include <cstdlib>
#include <memory>

namespace {

struct AssistiveTechnology {
    bool has_looked = false; // for a session bus, after the first frame
    std::string session_bus;
    std::unique_ptr<AccessibilityStatusWatch> watch;
    bool has_failed = false; // the bridge would not start; it is not tried again
    std::unique_ptr<GlibPump> pump;
};

AssistiveTechnology& State() {
    static AssistiveTechnology state;
    return state;
}

// From the helper threads: the loop's next turn runs BetweenEvents.
void WakeLoop() {
    if (Windows().backend) {
        Windows().backend->wake();
    }
}

void StartBridge(AssistiveTechnology& state) {
    // The adaptor looks for the session bus itself; told where it is, it looks no further
    // (and never starts one).
    setenv("DBUS_SESSION_BUS_ADDRESS", state.session_bus.c_str(), 0);
    InstallAtkToolkit();
    if (atk_bridge_adaptor_init(nullptr, nullptr) != 0) {
        state.has_failed = true;
        return;
    }
    StartAtkEvents();
    state.pump = std::make_unique<GlibPump>(g_main_context_default(), WakeLoop);
}

void BetweenEvents() {
    AssistiveTechnology& state = State();
    if (!state.has_looked) {
        state.has_looked = true;
        if (const std::optional<std::string> bus = SessionBusForAccessibility()) {
            state.session_bus = *bus;
            state.watch = std::make_unique<AccessibilityStatusWatch>(*bus, WakeLoop);
        }
    }
    if (!state.pump && !state.has_failed && state.watch && state.watch->is_wanted()) {
        StartBridge(state);
    }
    if (state.pump) {
        state.pump->run_pending();
    }
}

// At exit, before the window system goes: the helper threads end while what they wake
// still exists.
void StopHelpers() {
    AssistiveTechnology& state = State();
    state.pump.reset();
    state.watch.reset();
}

} // namespace

void WatchForAssistiveTechnology() {
    Windows().between_events = BetweenEvents;
    // The state first: what is registered later runs earlier at exit, so the helpers stop
    // while their state and the window system still exist.
    State();
    std::atexit(StopHelpers);
}
