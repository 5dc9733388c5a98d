// Turns input events into messages: keys to the focused window (after the dialog manager
// and an open menu have had their say), typed text as WM_CHAR, the mouse to the window
// under it or to the one holding the capture, with the cursor it asks for. Which window is
// under the mouse, each window says for itself (WM_NCHITTEST); a control that takes the
// keyboard on a click takes it itself.

#include "platform/core/window_system.h"

static LPARAM FramePoint(int x, int y) {
    return MAKELPARAM(static_cast<unsigned>(x), static_cast<unsigned>(y));
}

// A window answers HTTRANSPARENT when the mouse should fall through it to what lies beneath:
// a label that reports no clicks, a group box's frame.
static bool IsTransparentToMouse(HWND window, int x, int y) {
    return SendMessage(window, WM_NCHITTEST, 0, FramePoint(x, y)) == HTTRANSPARENT;
}

static HWND DeepestAt(HWND window, const PixelRect& rect, int x, int y) {
    for (auto child = window->children.rbegin(); child != window->children.rend(); ++child) {
        Window* candidate = *child;
        const PixelRect candidate_rect = ChildRectInFrame(candidate, rect);
        if (!candidate->is_visible() || !candidate_rect.contains(x, y)) {
            continue;
        }
        HWND inner = DeepestAt(candidate, candidate_rect, x, y);
        if (inner != nullptr) {
            return inner;
        }
        if (!IsTransparentToMouse(candidate, x, y)) {
            return candidate;
        }
    }
    return nullptr;
}

HWND WindowAt(int x, int y) {
    HWND top = Windows().main_window;
    const PixelRect rect = WindowRectInFrame(top);
    if (!IsShown(top) || !rect.contains(x, y)) {
        return nullptr;
    }
    HWND found = DeepestAt(top, rect, x, y);
    return found != nullptr ? found : top;
}

static LPARAM LocalPoint(HWND window, int x, int y) {
    PixelRect rect = WindowRectInFrame(window);
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
    LPARAM point = LocalPoint(target, event.x, event.y);
    switch (event.button) {
    case MouseButton::Left:
        system.capture = target;
        SendMessage(target, event.clicks >= 2 ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, 1, point);
        break;
    case MouseButton::Right:
        SendMessage(target, WM_RBUTTONDOWN, 2, point);
        break;
    case MouseButton::Middle:
        SendMessage(target, WM_MBUTTONDOWN, 0x10, point); // MK_MBUTTON held
        break;
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
    if (event.button == MouseButton::Middle) {
        if (IsLive(target)) {
            SendMessage(target, WM_MBUTTONUP, 0, LocalPoint(target, event.x, event.y));
        }
        return;
    }
    if (IsLive(target)) {
        SendMessage(target, WM_RBUTTONUP, 0, LocalPoint(target, event.x, event.y));
    }
    if (IsLive(target)) {
        SendMessage(target, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target),
                    FramePoint(event.x, event.y));
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
    if (event.type != Type::Expose && event.type != Type::FocusChange && event.type != Type::Wake &&
        event.type != Type::Appearance) {
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
        if (IsLive(system.main_window)) {
            NotifyWinEvent(EVENT_OBJECT_STATECHANGE, system.main_window, OBJID_CLIENT,
                           CHILDID_SELF);
        }
        break;
    case Type::Wake:
        // The loop runs the waker's work before it waits again (between_events).
        break;
    case Type::Appearance:
        FollowDesktopColours();
        break;
    }
}
