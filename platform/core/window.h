#pragma once

// One window of the tree and the class it belongs to. The window system owns every Window;
// HWND is a pointer to one. Control classes keep their own state behind `control`; what a
// control is and does, generic code learns by asking it with messages, never by its class.

#include "platform/backends/backend.h"
#include "platform/win/windows_api.h"

#include <memory>
#include <string>
#include <vector>

struct WindowClass {
    const char* name;
    WNDPROC procedure;
    CursorShape cursor;
};

struct ControlState {
    virtual ~ControlState() = default;
};

struct DialogUnitRect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct Window {
    const WindowClass* window_class = nullptr;
    int id = 0;
    DWORD style = 0;
    DWORD ex_style = 0;
    std::string text;    // code page 1254
    DialogUnitRect rect; // relative to the parent's client area
    WNDPROC procedure = nullptr;
    LONG_PTR user_data = 0;
    Window* parent = nullptr;
    std::vector<Window*> children; // template order, which is also stacking and tab order
    HINSTANCE instance = nullptr;  // the module whose template made it
    std::unique_ptr<ControlState> control;
    bool destroyed = false;

    // For assistive technology, from the template's naming (AccessibleNaming): empty, 0 for
    // none.
    std::string accessible_name;
    std::string accessible_description;
    int labelled_by[2] = {};

    // Dialogs only.
    DLGPROC dialog_procedure = nullptr;
    bool dialog_ended = false;
    INT_PTR dialog_result = 0;
    int default_id = IDOK; // the push button that shows the default frame when no other does
    Window* framed_button = nullptr; // the push button that shows it now
    std::vector<std::uint8_t> icon;  // the small icon set with WM_SETICON

    bool is_visible() const { return (style & WS_VISIBLE) != 0; }
    bool is_enabled() const { return (style & WS_DISABLED) == 0; }
    bool is_child() const { return (style & WS_CHILD) != 0; }
};

// Live windows only: a null or destroyed handle is not a window.
inline bool IsLive(HWND window) {
    return window != nullptr && !window->destroyed;
}
