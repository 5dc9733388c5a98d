// Turns input events into messages: keys to the focused window (after the dialog manager
// and an open menu have had their say), typed text as WM_CHAR, the mouse to the window
// under it or to the one holding the capture, with the cursor it asks for.

#include "platform/control_classes.h"
#include "platform/window_system.h"

static bool IsTransparentToMouse(HWND window) {
    if (window->is_class("BUTTON")) {
        return (window->style & BS_TYPEMASK) == BS_GROUPBOX;
    }
    if (window->is_class("STATIC")) {
        return (window->style & SS_NOTIFY) == 0;
    }
    return false;
}

static HWND DeepestAt(HWND window, int x, int y) {
    for (auto child = window->children.rbegin(); child != window->children.rend(); ++child) {
        Window* candidate = *child;
        if (!candidate->is_visible() || !FrameRect(candidate).contains(x, y)) {
            continue;
        }
        HWND inner = DeepestAt(candidate, x, y);
        if (inner != nullptr) {
            return inner;
        }
        if (!IsTransparentToMouse(candidate)) {
            return candidate;
        }
    }
    return nullptr;
}

HWND WindowAt(int x, int y) {
    HWND top = Windows().main_window;
    if (!IsShown(top) || !FrameRect(top).contains(x, y)) {
        return nullptr;
    }
    HWND found = DeepestAt(top, x, y);
    return found != nullptr ? found : top;
}

static LPARAM LocalPoint(HWND window, int x, int y) {
    PixelRect rect = FrameRect(window);
    return MAKELPARAM(static_cast<unsigned>(x - rect.x), static_cast<unsigned>(y - rect.y));
}

static void UpdateCursor(HWND target) {
    WindowSystem& system = Windows();
    CursorShape before = system.cursor;
    system.cursor_set_by_program = false;
    if (IsLive(target)) {
        SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                    MAKELPARAM(1, WM_MOUSEMOVE));
    }
    if (!system.cursor_set_by_program) {
        system.cursor = CursorShape::Arrow;
    }
    if (system.cursor != before && system.backend) {
        system.backend->show_cursor(system.cursor);
    }
}

static void SendCharacter(unsigned char code) {
    HWND focus = Windows().focus;
    if (IsLive(focus)) {
        SendMessage(focus, WM_CHAR, code, 1);
    }
}

// The character a key produces without text input: Backspace and the Ctrl+letter codes.
static int ControlCharacterFor(const InputEvent& key) {
    bool control = has(key.modifiers, Modifier::Control);
    bool alt = has(key.modifiers, Modifier::Alt);
    if (alt) {
        return -1;
    }
    if (key.key == VK_BACK) {
        return control ? 0x7F : 0x08;
    }
    if (control && key.key >= 'A' && key.key <= 'Z') {
        return static_cast<int>(key.key - 'A' + 1);
    }
    return -1;
}

static void DispatchKeyDown(const InputEvent& event) {
    WindowSystem& system = Windows();
    if (system.menu.is_open()) {
        HandleMenuKey(event);
        return;
    }
    if (HandleDialogKey(system.main_window, event)) {
        return;
    }
    if (IsLive(system.focus)) {
        SendMessage(system.focus, WM_KEYDOWN, event.key, 1);
    }
    int character = ControlCharacterFor(event);
    if (character >= 0) {
        SendCharacter(static_cast<unsigned char>(character));
    }
}

static void DispatchMouseDown(const InputEvent& event) {
    WindowSystem& system = Windows();
    if (system.menu.is_open()) {
        if (!system.menu.rect.contains(event.x, event.y)) {
            ClosePopupMenu();
        }
        return;
    }
    HWND target = WindowAt(event.x, event.y);
    if (!IsLive(target) || !target->is_enabled()) {
        return;
    }
    if (target->window_class->takes_focus_on_click) {
        MoveFocus(target);
    }
    if (!IsLive(target)) {
        return;
    }
    LPARAM point = LocalPoint(target, event.x, event.y);
    if (event.button == MouseButton::Left) {
        system.capture = target;
        SendMessage(target, event.clicks >= 2 ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, 1, point);
    } else {
        SendMessage(target, WM_RBUTTONDOWN, 2, point);
    }
}

static void DispatchMouseUp(const InputEvent& event) {
    WindowSystem& system = Windows();
    if (system.menu.is_open()) {
        int item = MenuItemAt(event.x, event.y);
        if (item >= 0) {
            ChooseMenuItem(item);
        }
        return;
    }
    if (event.button == MouseButton::Left) {
        HWND target = system.capture != nullptr ? system.capture : WindowAt(event.x, event.y);
        system.capture = nullptr;
        if (IsLive(target)) {
            SendMessage(target, WM_LBUTTONUP, 0, LocalPoint(target, event.x, event.y));
        }
        return;
    }
    HWND target = WindowAt(event.x, event.y);
    if (IsLive(target)) {
        SendMessage(target, WM_RBUTTONUP, 0, LocalPoint(target, event.x, event.y));
    }
    if (IsLive(target)) {
        SendMessage(target, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target),
                    MAKELPARAM(static_cast<unsigned>(event.x), static_cast<unsigned>(event.y)));
    }
}

static void DispatchMouseMove(const InputEvent& event) {
    WindowSystem& system = Windows();
    if (system.menu.is_open()) {
        int item = MenuItemAt(event.x, event.y);
        if (item != system.menu.hot) {
            system.menu.hot = item;
            RequestPaint();
        }
        UpdateCursor(nullptr);
        return;
    }
    HWND target = system.capture != nullptr ? system.capture : WindowAt(event.x, event.y);
    system.hover = target;
    UpdateCursor(target);
    if (IsLive(target)) {
        WPARAM buttons = system.capture != nullptr ? 1 : 0;
        SendMessage(target, WM_MOUSEMOVE, buttons, LocalPoint(target, event.x, event.y));
    }
}

void DispatchInput(const InputEvent& event) {
    WindowSystem& system = Windows();
    using Type = InputEvent::Type;
    if (event.type != Type::Expose && event.type != Type::FocusChange) {
        system.last_input = std::chrono::steady_clock::now();
        if (!system.caret_on) {
            system.caret_on = true;
            RequestPaint();
        }
    }
    switch (event.type) {
    case Type::KeyDown:
        system.modifiers = event.modifiers;
        DispatchKeyDown(event);
        break;
    case Type::KeyUp:
        system.modifiers = event.modifiers;
        if (IsLive(system.focus) && !system.menu.is_open()) {
            SendMessage(system.focus, WM_KEYUP, event.key, 1);
        }
        break;
    case Type::Text:
        if (system.menu.is_open()) {
            break;
        }
        for (char byte : event.text) {
            SendCharacter(static_cast<unsigned char>(byte));
        }
        break;
    case Type::MouseMove:
        DispatchMouseMove(event);
        break;
    case Type::MouseDown:
        system.modifiers = event.modifiers;
        DispatchMouseDown(event);
        break;
    case Type::MouseUp:
        DispatchMouseUp(event);
        break;
    case Type::MouseLeave:
        system.hover = nullptr;
        break;
    case Type::Close:
        if (IsLive(system.main_window)) {
            SendMessage(system.main_window, WM_CLOSE, 0, 0);
        }
        break;
    case Type::Expose:
        RequestPaint();
        break;
    case Type::FocusChange:
        system.window_active = event.focused;
        system.caret_on = true;
        RequestPaint();
        break;
    case Type::DisplayLost:
        system.display_error = event.error.empty() ? "the display is gone" : event.error;
        system.loop_abandoned = true;
        break;
    }
}
