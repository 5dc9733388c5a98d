// Dialog keyboard handling for the main window and the pages inside it: Tab and Shift+Tab
// walk the tab stops of everything shown, Enter clicks the focused push button or the
// default button, Escape means IDCANCEL, Ctrl+Tab moves between tabs.

#include "platform/control_classes.h"
#include "platform/window_system.h"

#include <algorithm>

static bool TakesFocus(HWND window) {
    if (!window->is_enabled() || (window->style & WS_TABSTOP) == 0) {
        return false;
    }
    if (window->is_class("SysTabControl32") && (window->style & TCS_FOCUSNEVER) != 0) {
        return false;
    }
    if (window->is_class("BUTTON") && (window->style & BS_TYPEMASK) == BS_GROUPBOX) {
        return false;
    }
    return !window->is_class("#32770");
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

static HWND FindTabControl(HWND top) {
    for (Window* child : top->children) {
        if (child->is_class("SysTabControl32")) {
            return child;
        }
    }
    return nullptr;
}

static bool IsPushButton(HWND window) {
    if (!IsLive(window) || !window->is_class("BUTTON")) {
        return false;
    }
    DWORD type = window->style & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
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
    if (SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        SendMessage(next, EM_SETSEL, 0, -1);
    }
}

static bool SwitchTab(HWND top, bool backwards) {
    HWND tab = FindTabControl(top);
    if (tab == nullptr) {
        return false;
    }
    int count = static_cast<int>(SendMessage(tab, TCM_GETITEMCOUNT, 0, 0));
    if (count <= 0) {
        return false;
    }
    int current = static_cast<int>(SendMessage(tab, TCM_GETCURSEL, 0, 0));
    ChooseTab(tab, (current + (backwards ? count - 1 : 1)) % count);
    return true;
}

bool HandleDialogKey(HWND top, const InputEvent& key) {
    if (!IsLive(top)) {
        return false;
    }
    bool shift = has(key.modifiers, Modifier::Shift);
    bool control = has(key.modifiers, Modifier::Control);
    switch (key.key) {
    case VK_TAB:
        if (control) {
            return SwitchTab(top, shift);
        }
        MoveToTabStop(top, shift);
        return true;
    case VK_PRIOR:
    case VK_NEXT:
        return control && SwitchTab(top, key.key == VK_PRIOR);
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
