// Dialog keyboard handling for the main window and the pages inside it: Tab and Shift+Tab
// walk the tab stops of everything shown, Enter clicks the focused push button or the
// default button, Escape means IDCANCEL, and a key that a control asks for (Ctrl+Tab to the
// tab strip) goes to that control. It learns what each control is from its styles and its
// answer to WM_GETDLGCODE, never from its class.

#include "platform/core/window_system.h"

#include <algorithm>

static LRESULT DialogCode(HWND window, const MSG* message = nullptr) {
    return SendMessage(window, WM_GETDLGCODE, message != nullptr ? message->wParam : 0,
                       reinterpret_cast<LPARAM>(message));
}

// A container (a page inside the dialog) is looked into, never stopped at; a control that
// answers as a label (a group box, a tab strip that never takes the keyboard) is passed by.
bool TakesFocus(HWND window) {
    if (!window->is_enabled() || (window->style & WS_TABSTOP) == 0 ||
        (window->ex_style & WS_EX_CONTROLPARENT) != 0) {
        return false;
    }
    return (DialogCode(window) & DLGC_STATIC) == 0;
}

static void CollectTabStops(HWND window, std::vector<HWND>& stops) {
    for (Window* child : window->children) {
        if (!child->is_visible()) {
            continue;
        }
        if (TakesFocus(child)) {
            stops.push_back(child);
        }
        CollectTabStops(child, stops);
    }
}

HWND NextTabStop(HWND top, HWND from, bool backwards) {
    if (!IsLive(top)) {
        return nullptr;
    }
    std::vector<HWND> stops;
    CollectTabStops(top, stops);
    if (stops.empty()) {
        return nullptr;
    }
    auto at = std::find(stops.begin(), stops.end(), from);
    if (at == stops.end()) {
        return backwards ? stops.back() : stops.front();
    }
    std::ptrdiff_t index = at - stops.begin();
    std::ptrdiff_t count = static_cast<std::ptrdiff_t>(stops.size());
    index = (index + (backwards ? count - 1 : 1)) % count;
    return stops[static_cast<std::size_t>(index)];
}

// The first of the dialog's own controls that asks for this key whatever has the focus:
// the tab strip takes Ctrl+Tab and Ctrl+PageUp/PageDown wherever the user is.
static HWND ControlWantingKey(HWND top, const InputEvent& key) {
    const MSG message{nullptr, WM_KEYDOWN, key.key, 1};
    for (Window* child : top->children) {
        if (child->is_visible() && child->is_enabled() &&
            (DialogCode(child, &message) & DLGC_WANTMESSAGE) != 0) {
            return child;
        }
    }
    return nullptr;
}

static bool IsPushButton(HWND window) {
    return IsLive(window) &&
           (DialogCode(window) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

void MoveDefaultFrame(HWND focus) {
    HWND top = Windows().main_window;
    if (!IsLive(top) || (focus != nullptr && !IsWithin(focus, top))) {
        return;
    }
    const auto default_id = static_cast<int>(LOWORD(SendMessage(top, DM_GETDEFID, 0, 0)));
    HWND framed = IsPushButton(focus) ? focus : GetDlgItem(top, default_id);
    if (framed == top->framed_button) {
        return;
    }
    if (IsLive(top->framed_button)) {
        SendMessage(top->framed_button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    top->framed_button = framed;
    if (IsLive(framed)) {
        SendMessage(framed, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

static void SendButtonCommand(HWND top, int id) {
    HWND button = GetDlgItem(top, id);
    if (IsLive(button) && !button->is_enabled()) {
        return;
    }
    SendMessage(top, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED),
                reinterpret_cast<LPARAM>(button));
}

static void MoveToTabStop(HWND top, bool backwards) {
    HWND next = NextTabStop(top, Windows().focus, backwards);
    if (next == nullptr) {
        return;
    }
    MoveFocus(next);
    // Reaching a field from the keyboard selects its whole text, as dialogs do.
    if (DialogCode(next) & DLGC_HASSETSEL) {
        SendMessage(next, EM_SETSEL, 0, -1);
    }
}

bool HandleDialogKey(HWND top, const InputEvent& key) {
    if (!IsLive(top)) {
        return false;
    }
    if (HWND wanting = ControlWantingKey(top, key)) {
        SendMessage(wanting, WM_KEYDOWN, key.key, 1);
        return true;
    }
    const bool shift = has(key.modifiers, Modifier::Shift);
    const bool control = has(key.modifiers, Modifier::Control);
    switch (key.key) {
    case VK_TAB:
        // Ctrl+Tab that no control asked for is the focused control's own.
        if (control) {
            return false;
        }
        MoveToTabStop(top, shift);
        return true;
    case VK_RETURN: {
        HWND focus = Windows().focus;
        if (IsPushButton(focus)) {
            SendMessage(focus, BM_CLICK, 0, 0);
        } else {
            SendButtonCommand(top, IDOK);
        }
        return true;
    }
    case VK_ESCAPE:
        SendButtonCommand(top, IDCANCEL);
        return true;
    default:
        return false;
    }
}
