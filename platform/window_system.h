#pragma once

// The window system's state and its inner operations: the window table, keyboard focus,
// mouse capture, the modal loop, painting the tree into a frame, and turning a backend's
// input events into messages. The public calls of windows_api.h are written on top of
// this; control classes and the dialog manager use it directly. There is one instance,
// reached through Windows(); tests start each case from a fresh one with ResetWindows().

#include "platform/backend.h"
#include "platform/brush.h"
#include "platform/dialog_template.h"
#include "platform/window.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct PopupMenuItem {
    int command; // sent to the owner as WM_COMMAND with this id
    const char* label;
    bool enabled;
};

struct PopupMenu {
    HWND owner = nullptr;
    std::vector<PopupMenuItem> items;
    PixelRect rect; // in frame pixels
    int hot = -1;   // the item under the pointer or chosen by arrow keys

    bool is_open() const { return owner != nullptr; }
    PixelRect item_rect(int index) const;
};

struct WindowSystem {
    std::unique_ptr<Backend> backend;
    std::vector<std::unique_ptr<Window>> windows;
    HWND main_window = nullptr; // the top-level window on the display
    HWND focus = nullptr;
    HWND capture = nullptr; // the window that gets the mouse while a button is held
    HWND hover = nullptr;
    Modifier modifiers = Modifier::None;
    PopupMenu menu;
    FontMetrics metrics;

    bool needs_paint = true;
    DrawList frame;
    CursorShape cursor = CursorShape::Arrow;
    bool cursor_set_by_program = false;

    // Caret blinking: the caret shows for half a second, hides for half a second, and stops
    // blinking (shown) ten seconds after the last input.
    std::chrono::steady_clock::time_point last_input;
    bool caret_on = true;
    bool window_active = true; // the top-level window has the desktop's keyboard

    std::vector<std::unique_ptr<BrushHandle>> brushes; // made by CreateSolidBrush

    // Counters that tests and the script driver read.
    int beep_count = 0;
    std::vector<std::string> opened_addresses;

    // Called by the modal loop whenever no input is waiting; returns false to stop the loop
    // without a result (the script driver's end of input).
    std::function<bool()> idle_step;
    bool loop_abandoned = false;
    std::string display_error; // why the display went away, when it did
};

WindowSystem& Windows();
// Drops every window and starts over on the given backend (the headless one when null).
void ResetWindows(std::unique_ptr<Backend> backend = nullptr);

// Creating and destroying.
HWND CreateControl(const ControlTemplate& control, HWND parent);
HWND CreateDialogFromTemplate(const DialogTemplate& dialog, HWND parent, DLGPROC procedure,
                              LPARAM init_param);
void DestroyTree(HWND window);
const WindowClass* FindWindowClass(const char* name);

// Geometry: dialog units to pixels with the backend's font, relative to the frame.
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);
PixelRect FrameRect(HWND window);          // the window's rectangle in frame pixels
PixelRect ClientRect(HWND window);         // the same, with its own origin at 0, 0
bool IsShown(HWND window);                 // visible itself and every ancestor visible
bool IsWithin(HWND window, HWND ancestor); // the window is the ancestor or inside it
// FrameRect of a child whose parent's FrameRect is known, without walking its ancestors.
PixelRect ChildFrameRect(HWND child, const PixelRect& parent_frame);

// Focus and painting.
void MoveFocus(HWND window);
void RequestPaint();
void PaintFrame();
void NotifyParent(HWND control, UINT code); // WM_COMMAND with the control's id and code

// Input: one backend event, or a synthesised one (the script driver).
void DispatchInput(const InputEvent& event);
HWND WindowAt(int x, int y); // the deepest shown control under a frame point

// Popup menus (the edit field's context menu).
void OpenPopupMenu(HWND owner, int x, int y, std::vector<PopupMenuItem> items);
void ClosePopupMenu();
// Chooses an open menu's item by its label, as a click on it; false if it is not there.
bool ChoosePopupMenuItem(const char* label);
int MenuItemAt(int x, int y); // -1 where there is no enabled item
void ChooseMenuItem(int index);
void HandleMenuKey(const InputEvent& key);
void PaintPopupMenu(DrawList& frame);

// The dialog manager: Tab, Shift+Tab, Enter, Escape and Space; true when it took the key.
bool HandleDialogKey(HWND top, const InputEvent& key);
HWND NextTabStop(HWND top, HWND from, bool backwards);

// The modal loop of the main window.
INT_PTR RunModalLoop(HWND dialog);

// The default procedure of dialog windows: calls the dialog procedure, then the defaults.
LRESULT DefDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
