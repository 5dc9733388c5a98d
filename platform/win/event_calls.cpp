// The calls of assistive technology's events: hooks that take them, and the notification
// that the window system and the controls raise where something changes. An event with no
// hook to take it returns at once.

#include "platform/core/window_system.h"

#include <algorithm>

HWINEVENTHOOK SetWinEventHook(DWORD event_min, DWORD event_max, HMODULE, WINEVENTPROC procedure,
                              DWORD, DWORD, DWORD) {
    if (procedure == nullptr || event_min > event_max) {
        return nullptr;
    }
    auto& hooks = Windows().event_hooks;
    hooks.push_back(std::make_unique<WinEventHook>(WinEventHook{event_min, event_max, procedure}));
    return hooks.back().get();
}

BOOL UnhookWinEvent(HWINEVENTHOOK hook) {
    auto& hooks = Windows().event_hooks;
    const auto found = std::find_if(hooks.begin(), hooks.end(),
                                    [hook](const auto& held) { return held.get() == hook; });
    if (found == hooks.end()) {
        return FALSE;
    }
    hooks.erase(found);
    return TRUE;
}

void NotifyWinEvent(DWORD event, HWND window, LONG id_object, LONG id_child) {
    const auto& hooks = Windows().event_hooks;
    if (hooks.empty()) {
        return;
    }
    // A hook may add or remove hooks while it runs: the ones there now take the event, unless
    // removed before their turn.
    std::vector<WinEventHook*> taking;
    for (const auto& hook : hooks) {
        if (event >= hook->event_min && event <= hook->event_max) {
            taking.push_back(hook.get());
        }
    }
    for (WinEventHook* hook : taking) {
        const bool is_held = std::any_of(hooks.begin(), hooks.end(),
                                         [hook](const auto& held) { return held.get() == hook; });
        if (is_held) {
            hook->procedure(hook, event, window, id_object, id_child, 0, 0);
        }
    }
}
