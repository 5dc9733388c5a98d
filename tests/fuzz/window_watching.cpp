#include "window_watching.h"

#include "platform/core/window_system.h"
#include "testing/simulated_user.h"
#include "testing/window_text.h"

#include <cstdio>

void WatchedProcedures::put_in_front(HWND window, WNDPROC watcher) {
    m_originals[window] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watcher)));
}

LRESULT WatchedProcedures::forward(HWND window, UINT message, WPARAM wparam, LPARAM lparam) const {
    return CallWindowProc(m_originals.at(window), window, message, wparam, lparam);
}

namespace {

std::unordered_map<int, HWND> s_controls;

} // namespace

HWND ControlOf(int id) {
    auto found = s_controls.find(id);
    if (found == s_controls.end())
        found = s_controls.emplace(id, FindControl(id)).first;
    return found->second;
}

void ForgetControls() {
    s_controls.clear();
}

std::string TextOfControl(int id) {
    HWND control = ControlOf(id);
    return IsLive(control) ? WindowText(control) : "<missing>";
}

model::FieldState FieldStateOf(HWND field) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {WindowText(field), start, end};
}

bool IsChecked(HWND box) {
    return SendMessage(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (char character : text.substr(0, 60)) {
        const auto code = static_cast<unsigned char>(character);
        if (code >= 0x20 && code < 0x7F) {
            quoted += character;
            continue;
        }
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02X", code);
        quoted += escape;
    }
    return quoted + (text.size() > 60 ? "...\"" : "\"");
}
