#pragma once

// A run of actions against the real main window on the headless backend, as the program
// runs it: the main window's own modal loop, which paints and presents after each action,
// takes each action from the bytes in its idle step, and every rule of
// window_invariants.h is checked after each one. When an action ends the main window
// (Escape, Kapat, the title bar), a new one is started as the program would be again.

#include "byte_source.h"
#include "user_actions.h"
#include "window_invariants.h"

#include <cstdint>
#include <functional>
#include <limits>

struct SessionOptions {
    std::uint64_t most_actions = std::numeric_limits<std::uint64_t>::max();
    // Called after every action, once its rules were checked, with the number performed so
    // far.
    std::function<void(std::uint64_t, const Action&)> after_action;
    // Empty: a broken rule aborts. Otherwise it is reported here, and the run stops after
    // the action that broke it.
    BrokenRuleReport report_broken_rule;
    // Added to: what the models checked.
    ModelChecks* model_checks = nullptr;
};

// Runs until the bytes or the allowed actions run out, or a reported rule broke; returns
// the actions performed. The window system is left empty.
std::uint64_t RunSession(ByteSource& bytes, const SessionOptions& options = {});
