#include "user_session.h"

#include "window_invariants.h"

#include "app/main_dialog.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/core/window_system.h"
#include "platform/platform.h"
#include "resources/program_resources.h"
#include "testing/headless_windows.h"

#include <memory>

std::uint64_t RunSession(ByteSource& bytes, const SessionOptions& options) {
    std::uint64_t performed = 0;
    auto is_done = [&] { return bytes.is_exhausted() || performed >= options.most_actions; };
    while (!is_done()) {
        HeadlessBackend& headless = StartHeadlessWindows(&ProgramResources);
        WindowInvariants invariants;
        bool is_attached = false;
        Windows().idle_step = [&] {
            if (!is_attached) {
                invariants.attach();
                is_attached = true;
            }
            if (is_done())
                return false;
            invariants.before_action();
            const Action action = PerformNextAction(bytes, headless);
            ++performed;
            invariants.after_action(action);
            if (options.after_action)
                options.after_action(performed, action);
            return true;
        };
        RunMainWindow();
    }
    StopWindowSystem();
    return performed;
}
