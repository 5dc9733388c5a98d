// The simulated user of the Windows build, for the script driver: every action reaches the
// real controls as the messages that a keyboard and a mouse would bring, posted to the
// thread's queue and taken from it the way the main window's modal loop takes them (the
// dialog manager first, then key translation, then the window procedure). The key state
// that the controls read with GetKeyState is set for the time of each key press.
//
// The pointer-only calls of simulated_user.h (ClickAt, MovePointerTo, RightClickControl)
// have no Windows form here: a right click on a field opens the system's context menu in a
// modal loop of its own, which no script could leave. PasteFromContextMenu does what that
// menu's item does instead.

#include "testing/simulated_user.h"

#include "platform/win/windows_api.h"

#include <vector>

namespace {

bool HasClass(HWND window, const char* class_name) {
    char name[32] = {};
    GetClassName(window, name, sizeof name);
    return lstrcmpi(name, class_name) == 0;
}

BOOL CALLBACK TakeMainWindow(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && HasClass(window, "#32770")) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The program's main window: the visible top-level dialog of this thread.
HWND MainWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeMainWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// What the modal loop does with each message in the queue, until none is left.
void DeliverWaitingMessages() {
    MSG message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
        HWND main = MainWindow();
        if (main == nullptr || !IsDialogMessage(main, &message)) {
            TranslateMessage(&message);
            DispatchMessage(&message);
        }
    }
}

// Keyboard input goes to the focus, or to the active window when nothing has the focus.
HWND KeyboardTarget() {
    HWND focus = GetFocus();
    return focus != nullptr ? focus : GetActiveWindow();
}

void SetKeyHeld(unsigned virtual_key, bool held) {
    BYTE state[256];
    GetKeyboardState(state);
    state[virtual_key] = held ? 0x80 : 0;
    SetKeyboardState(state);
}

bool IsExtendedKey(unsigned virtual_key) {
    switch (virtual_key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
        return true;
    default:
        return false;
    }
}

// One key going down or up, with the key data a keyboard gives it: repeat count 1, the
// scan code, the extended-key flag, and for a release the previous state and transition.
void SendKey(unsigned virtual_key, bool down, bool alt_held) {
    auto data = static_cast<DWORD>(1 | (MapVirtualKey(virtual_key, MAPVK_VK_TO_VSC) << 16));
    if (IsExtendedKey(virtual_key)) {
        data |= 1u << 24;
    }
    if (!down) {
        data |= (1u << 30) | (1u << 31);
    }
    UINT message = alt_held ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    SetKeyHeld(virtual_key, down);
    PostMessage(KeyboardTarget(), message, virtual_key, static_cast<LPARAM>(data));
    DeliverWaitingMessages();
}

// A left click at a point of the screen, delivered to the window that a real pointer there
// would hit: hit-testing passes through group boxes and plain texts, as on the desktop.
void ClickScreenPoint(POINT point, int clicks) {
    HWND target = WindowFromPoint(point);
    if (target == nullptr) {
        return;
    }
    ScreenToClient(target, &point);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    const bool takes_double_clicks = (GetClassLongPtr(target, GCL_STYLE) & CS_DBLCLKS) != 0;
    PostMessage(target, WM_MOUSEMOVE, 0, at);
    SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    for (int click = 1; click <= clicks; ++click) {
        const bool is_double = click % 2 == 0 && takes_double_clicks;
        PostMessage(target, is_double ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, at);
        DeliverWaitingMessages();
        PostMessage(target, WM_LBUTTONUP, 0, at);
        DeliverWaitingMessages();
    }
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK TakeControlWithId(HWND window, LPARAM search_address) {
    auto* search = reinterpret_cast<ControlSearch*>(search_address);
    if (GetDlgCtrlID(window) == search->id && !HasClass(window, "#32770")) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindControl(int id) {
    HWND main = MainWindow();
    if (main == nullptr) {
        return nullptr;
    }
    ControlSearch search{id, nullptr};
    EnumChildWindows(main, TakeControlWithId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void FocusAsClick(HWND control) {
    if (control == nullptr || GetFocus() == control) {
        return;
    }
    SetFocus(control);
    if (HasClass(control, "Edit")) {
        const auto end = static_cast<WPARAM>(GetWindowTextLength(control));
        SendMessage(control, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
    DeliverWaitingMessages();
}

void TypeBytes(std::string_view bytes) {
    for (char byte : bytes) {
        PostMessage(KeyboardTarget(), WM_CHAR, static_cast<unsigned char>(byte), 1);
        DeliverWaitingMessages();
    }
}

void PressKey(unsigned virtual_key, Modifier held) {
    std::vector<unsigned> modifier_keys;
    if (has(held, Modifier::Control)) {
        modifier_keys.push_back(VK_CONTROL);
    }
    if (has(held, Modifier::Shift)) {
        modifier_keys.push_back(VK_SHIFT);
    }
    const bool alt_held = has(held, Modifier::Alt);
    if (alt_held) {
        modifier_keys.push_back(VK_MENU);
    }
    for (unsigned key : modifier_keys) {
        SendKey(key, true, alt_held);
    }
    SendKey(virtual_key, true, alt_held);
    SendKey(virtual_key, false, alt_held);
    for (auto key = modifier_keys.rbegin(); key != modifier_keys.rend(); ++key) {
        SendKey(*key, false, alt_held);
    }
}

void ClickControl(HWND control, int clicks) {
    RECT rect;
    GetWindowRect(control, &rect);
    ClickScreenPoint({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}, clicks);
}

void ClickTab(HWND tab, int index) {
    RECT item;
    if (!SendMessage(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item))) {
        return;
    }
    POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(tab, &centre);
    ClickScreenPoint(centre, 1);
}

// The EDIT control's context menu: its paste item is greyed on a read-only field and while
// the clipboard holds no text; chosen, it sends WM_PASTE to the field.
bool PasteFromContextMenu(HWND control) {
    if (!HasClass(control, "Edit")) {
        return false;
    }
    const bool is_read_only = (GetWindowLongPtr(control, GWL_STYLE) & ES_READONLY) != 0;
    if (!is_read_only && IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        SendMessage(control, WM_PASTE, 0, 0);
        DeliverWaitingMessages();
    }
    return true;
}

void CloseFromTitleBar() {
    PostMessage(MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    DeliverWaitingMessages();
}
