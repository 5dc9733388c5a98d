#include "keystroke_checker.h"

#include "keystroke_model.h"
#include "main_window_fields.h"
#include "window_watching.h"

#include "platform/core/window_system.h"
#include "platform/text/clipboard.h"
#include "testing/simulated_desktop.h"
#include "testing/window_text.h"

#include <cstdio>
#include <optional>
#include <unordered_map>

namespace {

WatchedProcedures s_procedures;
std::unordered_map<HWND, const FieldInfo*> s_fields;

bool IsForeseen(UINT message) {
    switch (message) {
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_PASTE:
    case WM_COPY:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
        return true;
    default:
        return false;
    }
}

std::string Described(const model::FieldMessage& message) {
    char code[48];
    switch (message.message) {
    case WM_CHAR:
        std::snprintf(code, sizeof code, "typing 0x%02X", static_cast<unsigned>(message.wparam));
        return code;
    case WM_KEYDOWN:
        std::snprintf(code, sizeof code, "key 0x%02X%s%s", static_cast<unsigned>(message.wparam),
                      message.is_shift_held ? " with Shift" : "",
                      message.is_control_held ? " with Ctrl" : "");
        return code;
    case WM_PASTE:
        return "WM_PASTE";
    case WM_COPY:
        return "WM_COPY";
    case WM_CUT:
        return "WM_CUT";
    case WM_CLEAR:
        return "WM_CLEAR";
    default:
        return "WM_UNDO";
    }
}

std::string Shown(const std::optional<std::string>& clipboard) {
    return clipboard ? Quoted(*clipboard) : "(a text the code page cannot show)";
}

} // namespace

void KeystrokeChecker::attach() {
    make_active();
    s_procedures.clear();
    s_fields.clear();
    for (const FieldInfo& field : Fields()) {
        HWND control = ControlOf(field.id);
        s_fields[control] = &field;
        s_procedures.put_in_front(control, &WatchField);
    }
    m_depth = 0;
}

LRESULT CALLBACK KeystrokeChecker::WatchField(HWND field, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
    KeystrokeChecker* checker = active();
    if (checker != nullptr && checker->m_depth == 0 && IsForeseen(message))
        return checker->check_message(*s_fields.at(field), field, message, wparam, lparam);
    return s_procedures.forward(field, message, wparam, lparam);
}

LRESULT KeystrokeChecker::check_message(const FieldInfo& info, HWND field, UINT message,
                                        WPARAM wparam, LPARAM lparam) {
    const model::FieldState before = FieldStateOf(field);
    const model::FieldMessage described{message, wparam, GetKeyState(VK_SHIFT) < 0,
                                        GetKeyState(VK_CONTROL) < 0};
    const model::MessageOutcome foreseen =
        model::OutcomeOf(info, before, described, [] { return ReadClipboardText(); });
    const int beeps_before = BeepsHeard();

    ++m_depth;
    const LRESULT result = s_procedures.forward(field, message, wparam, lparam);
    --m_depth;

    ++m_messages_checked;
    if (!foreseen.beeps)
        m_beeps_foreseen.reset();
    else if (m_beeps_foreseen)
        *m_beeps_foreseen += *foreseen.beeps;
    const std::string where = Described(described) + " in " + std::to_string(info.id) + " at " +
                              Quoted(before.text) + " selected " +
                              std::to_string(before.selection_start) + "-" +
                              std::to_string(before.selection_end);
    const int heard = BeepsHeard() - beeps_before;
    if (foreseen.beeps && heard != *foreseen.beeps)
        report(where + " beeped " + std::to_string(heard) + " times where the model foresees " +
               std::to_string(*foreseen.beeps));
    if (foreseen.text && IsLive(field) && WindowText(field) != *foreseen.text)
        report(where + " left " + Quoted(WindowText(field)) + " where the model foresees " +
               Quoted(*foreseen.text));
    if (foreseen.copied && ReadClipboardText() != foreseen.copied)
        report(where + " left " + Shown(ReadClipboardText()) +
               " on the clipboard where the model foresees " + Quoted(*foreseen.copied));
    return result;
}

void KeystrokeChecker::before_action() {
    m_beeps_before_action = BeepsHeard();
    m_beeps_foreseen = 0;
}

void KeystrokeChecker::after_action(const Action& action) {
    const int heard = BeepsHeard() - m_beeps_before_action;
    if (m_beeps_foreseen && heard != *m_beeps_foreseen)
        report(action.description + " beeped " + std::to_string(heard) +
               " times where the model foresees " + std::to_string(*m_beeps_foreseen));
}
