#include "testing/simulated_user.h"

#include "platform/controls/control_classes.h"
#include "platform/core/window_system.h"

// Pages are containers whose ids are their templates', not controls.
static bool IsContainer(HWND window) {
    return (window->ex_style & WS_EX_CONTROLPARENT) != 0;
}

static HWND FindIn(HWND window, int id) {
    for (Window* child : window->children) {
        if (child->id == id && !IsContainer(child)) {
            return child;
        }
        if (HWND found = FindIn(child, id)) {
            return found;
        }
    }
    return nullptr;
}

HWND FindControl(int id) {
    HWND top = Windows().main_window;
    return IsLive(top) ? FindIn(top, id) : nullptr;
}

void FocusAsClick(HWND control) {
    if (!IsLive(control) || Windows().focus == control) {
        return;
    }
    MoveFocus(control);
    if (SendMessage(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        WPARAM end = static_cast<WPARAM>(GetWindowTextLength(control));
        SendMessage(control, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
}

void TypeBytes(std::string_view bytes) {
    for (char byte : bytes) {
        InputEvent event;
        event.type = InputEvent::Type::Text;
        event.text = std::string(1, byte);
        DispatchInput(event);
    }
}

void PressKey(unsigned virtual_key, Modifier held) {
    InputEvent down;
    down.type = InputEvent::Type::KeyDown;
    down.key = virtual_key;
    down.modifiers = held;
    DispatchInput(down);
    InputEvent up = down;
    up.type = InputEvent::Type::KeyUp;
    DispatchInput(up);
    Windows().modifiers = Modifier::None;
}

void MovePointerTo(int x, int y) {
    InputEvent move;
    move.type = InputEvent::Type::MouseMove;
    move.x = x;
    move.y = y;
    DispatchInput(move);
}

void ClickAt(int x, int y, MouseButton button, int clicks) {
    MovePointerTo(x, y);
    for (int click = 1; click <= clicks; ++click) {
        InputEvent down;
        down.type = InputEvent::Type::MouseDown;
        down.x = x;
        down.y = y;
        down.button = button;
        down.clicks = click;
        DispatchInput(down);
        InputEvent up = down;
        up.type = InputEvent::Type::MouseUp;
        DispatchInput(up);
    }
}

void ClickControl(HWND control, int clicks) {
    PixelRect rect = WindowRectInFrame(control);
    ClickAt(rect.x + rect.width / 2, rect.y + rect.height / 2, MouseButton::Left, clicks);
}

void RightClickControl(HWND control) {
    PixelRect rect = WindowRectInFrame(control);
    ClickAt(rect.x + rect.width / 2, rect.y + rect.height / 2, MouseButton::Right);
}

void ClickTab(HWND tab, int index) {
    ChooseTab(tab, index);
}

bool PasteFromContextMenu(HWND control) {
    RightClickControl(control);
    return ChoosePopupMenuItem("Yap\xFD\xFEt\xFDr"); // "Yapıştır"
}

void CloseFromTitleBar() {
    InputEvent close;
    close.type = InputEvent::Type::Close;
    DispatchInput(close);
}
