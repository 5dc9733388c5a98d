// The default window procedure and the dialog class with its default dialog procedure.

#include "platform/core/window_system.h"
#include "platform/paint/device_context.h"
#include "platform/win/brush.h"

#include <algorithm>
#include <cstring>

static LRESULT CopyText(HWND window, WPARAM max_count, LPARAM buffer) {
    char* destination = reinterpret_cast<char*>(buffer);
    if (destination == nullptr || max_count == 0) {
        return 0;
    }
    std::size_t count = std::min<std::size_t>(window->text.size(), max_count - 1);
    std::memcpy(destination, window->text.data(), count);
    destination[count] = '\0';
    return static_cast<LRESULT>(count);
}

static LRESULT SetCursorByDefault(HWND window, WPARAM wparam, LPARAM lparam) {
    // The parent chain may decide first; otherwise the window under the pointer shows its
    // class cursor.
    if (window->parent != nullptr && SendMessage(window->parent, WM_SETCURSOR, wparam, lparam)) {
        return TRUE;
    }
    if (reinterpret_cast<HWND>(wparam) == window) {
        Windows().cursor = window->window_class->cursor;
        Windows().cursor_set_by_program = true;
        return TRUE;
    }
    return FALSE;
}

LRESULT DefWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!IsLive(window)) {
        return 0;
    }
    switch (message) {
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lparam);
        window->text = text != nullptr ? text : "";
        RequestPaint();
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
        return TRUE;
    }
    case WM_GETTEXT:
        return CopyText(window, wparam, lparam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window->text.size());
    case WM_SETCURSOR:
        return SetCursorByDefault(window, wparam, lparam);
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_GETOBJECT:
        // A window has no parts unless its class says so.
        if (wparam != 0 || lparam == 0) {
            return FALSE;
        }
        return DescribeWindow(window, *reinterpret_cast<AccessibleObject*>(lparam));
    case WM_SETICON: {
        const auto* icon = reinterpret_cast<HICON>(lparam);
        window->icon.clear();
        if (icon != nullptr) {
            window->icon.assign(icon->bytes.begin(), icon->bytes.end());
        }
        if (window == Windows().main_window && Windows().backend) {
            Windows().backend->set_icon(window->icon);
        }
        return 0;
    }
    case WM_CONTEXTMENU:
        if (window->parent != nullptr) {
            return SendMessage(window->parent, WM_CONTEXTMENU, wparam, lparam);
        }
        return 0;
    default:
        return 0;
    }
}

static void PaintDialogBackground(HWND dialog, HDC dc) {
    PaintFill(dc, ClientRect(dialog), GetSysColor(COLOR_BTNFACE));
}

// The main window is a dialog, with the desktop's keyboard or without; a page is a panel.
static LRESULT DescribeDialog(HWND dialog, WPARAM part, LPARAM object_address) {
    if (!DefWindowProc(dialog, WM_GETOBJECT, part, object_address)) {
        return FALSE;
    }
    auto& object = *reinterpret_cast<AccessibleObject*>(object_address);
    if (dialog->parent == nullptr) {
        object.role = AccessibleRole::Dialog;
        if (Windows().window_active) {
            object.states |= AccessibleState::Active;
        }
    } else {
        object.role = AccessibleRole::Panel;
    }
    return TRUE;
}

LRESULT DefDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    INT_PTR handled = dialog->dialog_procedure != nullptr
                          ? dialog->dialog_procedure(dialog, message, wparam, lparam)
                          : FALSE;
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
        return handled;
    default:
        break;
    }
    if (handled) {
        return 0;
    }
    switch (message) {
    case WM_PAINT:
        PaintDialogBackground(dialog, reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_CLOSE:
        // The title bar's close of a dialog that does not handle it: as Escape does.
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                    reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return 0;
    case WM_GETDLGCODE:
        return 0;
    case DM_GETDEFID:
        return MAKELPARAM(static_cast<unsigned>(dialog->default_id), DC_HASDEFID);
    case WM_GETOBJECT:
        return DescribeDialog(dialog, wparam, lparam);
    default:
        return DefWindowProc(dialog, message, wparam, lparam);
    }
}

static LRESULT CALLBACK DialogWindowProcedure(HWND dialog, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
    return DefDialogProc(dialog, message, wparam, lparam);
}

const WindowClass DialogClass = {"#32770", DialogWindowProcedure, CursorShape::Arrow};
