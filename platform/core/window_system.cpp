#include "platform/core/window_system.h"

#include "platform/core/expect.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

WindowSystem& Windows() {
    static WindowSystem system;
    return system;
}

void ResetWindowSystem(std::unique_ptr<Backend> backend, HINSTANCE program) {
    WindowSystem& system = Windows();
    system = WindowSystem();
    if (!backend) {
        return;
    }
    system.backend = std::move(backend);
    system.program = program;
    system.metrics = system.backend->font_metrics();
    system.last_input = std::chrono::steady_clock::now();
    RegisterWindowClass(DialogClass);
}

void RegisterWindowClass(const WindowClass& window_class) {
    if (KALVETRA_EXPECT(FindWindowClass(window_class.name) == nullptr)) {
        Windows().classes.push_back(&window_class);
    }
}

const WindowClass* FindWindowClass(const char* name) {
    for (const WindowClass* window_class : Windows().classes) {
        if (strcasecmp(window_class->name, name) == 0) {
            return window_class;
        }
    }
    return nullptr;
}

static Window* NewWindow(const WindowClass* window_class, HWND parent, HINSTANCE instance) {
    WindowSystem& system = Windows();
    system.windows.push_back(std::make_unique<Window>());
    Window* window = system.windows.back().get();
    window->window_class = window_class;
    window->procedure = window_class->procedure;
    window->instance = instance;
    window->parent = parent;
    if (parent != nullptr) {
        parent->children.push_back(window);
    }
    return window;
}

// Windows exist only in a started window system, which has a backend to measure with.
static bool IsStarted() {
    return KALVETRA_EXPECT(Windows().backend != nullptr);
}

HWND CreateControl(const ControlTemplate& control, HWND parent, HINSTANCE instance) {
    if (!IsStarted()) {
        return nullptr;
    }
    const WindowClass* window_class = FindWindowClass(control.class_name);
    if (window_class == nullptr || !IsLive(parent)) {
        return nullptr;
    }
    Window* window = NewWindow(window_class, parent, instance);
    window->id = control.id;
    window->style = control.style | WS_CHILD;
    window->ex_style = control.ex_style;
    window->text = control.text != nullptr ? control.text : "";
    window->rect = {control.x, control.y, control.width, control.height};
    SendMessage(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&control));
    RequestPaint();
    return window;
}

static void ApplyNaming(HWND dialog, std::span<const AccessibleNaming> naming) {
    for (const AccessibleNaming& entry : naming) {
        HWND control = GetDlgItem(dialog, entry.id);
        if (!KALVETRA_EXPECT(control != nullptr)) {
            continue;
        }
        control->accessible_name = entry.name != nullptr ? entry.name : "";
        control->accessible_description = entry.description != nullptr ? entry.description : "";
        std::copy(std::begin(entry.labelled_by), std::end(entry.labelled_by),
                  std::begin(control->labelled_by));
    }
}

// The template's default push button, as the control answers for itself; null without one.
static HWND DefaultButton(HWND dialog) {
    for (Window* child : dialog->children) {
        if (SendMessage(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) {
            return child;
        }
    }
    return nullptr;
}

HWND CreateDialogFromTemplate(const DialogTemplate& dialog, HWND parent, DLGPROC procedure,
                              LPARAM init_param, HINSTANCE instance) {
    if (!IsStarted() || (parent != nullptr && !IsLive(parent))) {
        return nullptr;
    }
    Window* window = NewWindow(&DialogClass, parent, instance);
    window->id = dialog.id;
    window->style = dialog.style;
    window->ex_style = dialog.ex_style;
    if (parent != nullptr) {
        window->style |= WS_CHILD;
    }
    // A dialog that is a control of another is a container the dialog manager looks into.
    if ((dialog.style & DS_CONTROL) != 0) {
        window->ex_style |= WS_EX_CONTROLPARENT;
    }
    window->text = dialog.caption != nullptr ? dialog.caption : "";
    window->rect = {dialog.x, dialog.y, dialog.width, dialog.height};
    window->dialog_procedure = procedure;
    if (parent == nullptr) {
        Windows().main_window = window;
    }
    for (const ControlTemplate& control : dialog.controls) {
        CreateControl(control, window, instance);
    }
    ApplyNaming(window, dialog.naming);
    window->framed_button = DefaultButton(window);
    window->default_id = window->framed_button != nullptr ? window->framed_button->id : IDOK;
    HWND first = NextTabStop(window, nullptr, false);
    LRESULT wants_default_focus =
        SendMessage(window, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), init_param);
    if (wants_default_focus && parent == nullptr && IsLive(window)) {
        MoveFocus(NextTabStop(window, nullptr, false));
    }
    RequestPaint();
    return window;
}

bool IsWithin(HWND window, HWND ancestor) {
    for (; window != nullptr; window = window->parent) {
        if (window == ancestor) {
            return true;
        }
    }
    return false;
}

void DestroyTree(HWND window) {
    if (!IsLive(window)) {
        return;
    }
    WindowSystem& system = Windows();
    if (IsWithin(system.focus, window)) {
        system.focus = nullptr;
    }
    if (IsWithin(system.capture, window)) {
        system.capture = nullptr;
    }
    if (IsWithin(system.hover, window)) {
        system.hover = nullptr;
    }
    if (IsWithin(system.menu.owner, window)) {
        ClosePopupMenu();
    }
    if (IsWithin(system.caret_owner, window)) {
        system.caret_owner = nullptr;
    }
    NotifyWinEvent(EVENT_OBJECT_DESTROY, window, OBJID_CLIENT, CHILDID_SELF);
    SendMessage(window, WM_DESTROY, 0, 0);
    for (Window* child : std::vector<Window*>(window->children)) {
        DestroyTree(child);
    }
    window->destroyed = true;
    window->control.reset();
    if (window->parent != nullptr) {
        auto& siblings = window->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    }
    if (system.main_window == window) {
        system.main_window = nullptr;
    }
    RequestPaint();
}

static int MulDiv(int value, int numerator, int denominator) {
    long long product = static_cast<long long>(value) * numerator;
    return static_cast<int>((product + (product >= 0 ? denominator / 2 : -denominator / 2)) /
                            denominator);
}

int DialogUnitsToPixelsX(int units) {
    return MulDiv(units, Windows().metrics.average_char_width, 4);
}

int DialogUnitsToPixelsY(int units) {
    return MulDiv(units, Windows().metrics.height, 8);
}

// A window's size does not depend on where its parent is: both edges are rounded the same
// way wherever the window lies, so that neighbouring windows meet without gaps.
static PixelRect PlacedWithin(const DialogUnitRect& rect, int origin_x, int origin_y) {
    const int left = DialogUnitsToPixelsX(rect.x);
    const int top = DialogUnitsToPixelsY(rect.y);
    return {origin_x + left, origin_y + top, DialogUnitsToPixelsX(rect.x + rect.width) - left,
            DialogUnitsToPixelsY(rect.y + rect.height) - top};
}

PixelRect ChildRectInFrame(HWND child, const PixelRect& parent_rect) {
    return PlacedWithin(child->rect, parent_rect.x, parent_rect.y);
}

PixelRect WindowRectInFrame(HWND window) {
    if (!IsLive(window)) {
        return {};
    }
    if (window->parent == nullptr) {
        return ClientRect(window);
    }
    return ChildRectInFrame(window, WindowRectInFrame(window->parent));
}

PixelRect ClientRect(HWND window) {
    if (!IsLive(window)) {
        return {};
    }
    const DialogUnitRect& rect = window->rect;
    if (window->parent == nullptr) {
        return {0, 0, DialogUnitsToPixelsX(rect.width), DialogUnitsToPixelsY(rect.height)};
    }
    const PixelRect placed = PlacedWithin(rect, 0, 0);
    return {0, 0, placed.width, placed.height};
}

bool IsShown(HWND window) {
    for (; window != nullptr; window = window->parent) {
        if (window->destroyed || !window->is_visible()) {
            return false;
        }
    }
    return true;
}

void MoveFocus(HWND window) {
    WindowSystem& system = Windows();
    if (window != nullptr && !IsLive(window)) {
        return;
    }
    HWND previous = system.focus;
    if (previous == window) {
        return;
    }
    system.focus = window;
    system.caret_on = true;
    if (IsLive(previous)) {
        SendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    }
    if (IsLive(window) && system.focus == window) {
        SendMessage(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    if (system.focus == window) {
        MoveDefaultFrame(window);
        if (window != nullptr) {
            NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, CHILDID_SELF);
        }
    }
    RequestPaint();
}

bool IsCaretShown(HWND window) {
    const WindowSystem& system = Windows();
    return IsLive(window) && system.caret_owner == window && system.caret_on;
}

void RequestPaint() {
    Windows().needs_paint = true;
}

void NotifyParent(HWND control, UINT code) {
    if (!IsLive(control) || control->parent == nullptr) {
        return;
    }
    SendMessage(control->parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(control->id), code),
                reinterpret_cast<LPARAM>(control));
}

void PasteText(HWND field, const std::optional<std::string>& text) {
    WindowSystem& system = Windows();
    const std::optional<std::string>* previous = system.pasted_text;
    system.pasted_text = &text;
    SendMessage(field, WM_PASTE, 0, 0);
    system.pasted_text = previous;
}
