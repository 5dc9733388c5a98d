// The public window calls of windows_api.h, on top of the window system: messages, window
// data, dialog items, showing, focus and the caret.

#include "platform/core/message_trace.h"
#include "platform/core/window_system.h"

#include <algorithm>
#include <cstring>

LRESULT SendMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!IsLive(window) || window->procedure == nullptr) {
        return 0;
    }
    return DeliverMessage(window->procedure, window, message, wparam, lparam);
}

LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (procedure == nullptr || !IsLive(window)) {
        return 0;
    }
    return DeliverMessage(procedure, window, message, wparam, lparam);
}

LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value) {
    if (!IsLive(window)) {
        return 0;
    }
    LONG_PTR previous = GetWindowLongPtr(window, index);
    switch (index) {
    case GWLP_WNDPROC:
        window->procedure = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_USERDATA:
        window->user_data = value;
        break;
    case GWLP_HINSTANCE:
        window->instance = reinterpret_cast<HINSTANCE>(value);
        break;
    case GWLP_ID:
        window->id = static_cast<int>(value);
        break;
    case GWL_STYLE:
        window->style = static_cast<DWORD>(value);
        RequestPaint();
        break;
    case GWL_EXSTYLE:
        window->ex_style = static_cast<DWORD>(value);
        RequestPaint();
        break;
    default:
        return 0;
    }
    return previous;
}

LONG_PTR GetWindowLongPtr(HWND window, int index) {
    if (!IsLive(window)) {
        return 0;
    }
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(window->procedure);
    case GWLP_USERDATA:
        return window->user_data;
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_ID:
        return window->id;
    case GWL_STYLE:
        return static_cast<LONG_PTR>(window->style);
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(window->ex_style);
    default:
        return 0;
    }
}

HWND GetDlgItem(HWND dialog, int id) {
    if (!IsLive(dialog)) {
        return nullptr;
    }
    for (Window* child : dialog->children) {
        if (child->id == id) {
            return child;
        }
    }
    return nullptr;
}

int GetDlgCtrlID(HWND window) {
    return IsLive(window) ? window->id : 0;
}

HWND GetParent(HWND window) {
    return IsLive(window) ? window->parent : nullptr;
}

HWND GetWindow(HWND window, UINT command) {
    if (!IsLive(window)) {
        return nullptr;
    }
    if (command == GW_CHILD) {
        return window->children.empty() ? nullptr : window->children.front();
    }
    if (command != GW_HWNDNEXT || window->parent == nullptr) {
        return nullptr;
    }
    const auto& siblings = window->parent->children;
    auto at = std::find(siblings.begin(), siblings.end(), window);
    return at == siblings.end() || ++at == siblings.end() ? nullptr : *at;
}

BOOL IsChild(HWND parent, HWND window) {
    return IsLive(parent) && IsLive(window) && window != parent && IsWithin(window, parent);
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    return NextTabStop(dialog, control, previous != FALSE);
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessage(GetDlgItem(dialog, id), message, wparam, lparam);
}

UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int max_count) {
    return static_cast<UINT>(SendDlgItemMessage(dialog, id, WM_GETTEXT,
                                                static_cast<WPARAM>(std::max(max_count, 0)),
                                                reinterpret_cast<LPARAM>(buffer)));
}

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) {
    return static_cast<BOOL>(
        SendDlgItemMessage(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return static_cast<UINT>(SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0));
}

int GetWindowTextLength(HWND window) {
    return static_cast<int>(SendMessage(window, WM_GETTEXTLENGTH, 0, 0));
}

BOOL ShowWindow(HWND window, int command) {
    if (!IsLive(window)) {
        return FALSE;
    }
    BOOL was_visible = window->is_visible() ? TRUE : FALSE;
    bool show = command != SW_HIDE;
    if (show == static_cast<bool>(was_visible)) {
        return was_visible;
    }
    if (show) {
        window->style |= WS_VISIBLE;
    } else {
        window->style &= ~WS_VISIBLE;
    }
    SendMessage(window, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    NotifyWinEvent(show ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE, window, OBJID_CLIENT,
                   CHILDID_SELF);
    WindowSystem& system = Windows();
    // A hidden control cannot keep the keyboard: the next Tab starts from the first stop.
    if (!show && IsWithin(system.focus, window)) {
        MoveFocus(nullptr);
    }
    if (!show && IsWithin(system.menu.owner, window)) {
        ClosePopupMenu();
    }
    RequestPaint();
    return was_visible;
}

BOOL IsWindowVisible(HWND window) {
    return IsLive(window) && IsShown(window) ? TRUE : FALSE;
}

HWND SetFocus(HWND window) {
    HWND previous = Windows().focus;
    MoveFocus(window);
    return previous;
}

HWND GetFocus() {
    return Windows().focus;
}

BOOL CreateCaret(HWND window, HBITMAP, int, int) {
    if (!IsLive(window)) {
        return FALSE;
    }
    WindowSystem& system = Windows();
    system.caret_owner = window;
    system.caret_on = true;
    RequestPaint();
    return TRUE;
}

BOOL DestroyCaret() {
    WindowSystem& system = Windows();
    if (system.caret_owner == nullptr) {
        return FALSE;
    }
    system.caret_owner = nullptr;
    RequestPaint();
    return TRUE;
}

BOOL DestroyWindow(HWND window) {
    if (!IsLive(window)) {
        return FALSE;
    }
    DestroyTree(window);
    return TRUE;
}
