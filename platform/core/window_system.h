#pragma once

// The window system's state and its inner operations: the window table, the registered
// classes, keyboard focus, the caret, mouse capture, the modal loop, painting the tree into
// a frame, and turning a backend's input events into messages. The public calls of
// windows_api.h are written on top of this; control classes and the dialog manager use it
// directly. There is one instance, reached through Windows(); whoever starts the window
// system (platform/platform.h) chooses its backend and hands it the program's module.

#include "platform/accessibility/accessible_object.h"
#include "platform/backends/backend.h"
#include "platform/core/dialog_template.h"
#include "platform/core/popup_menu.h"
#include "platform/core/window.h"
#include "platform/paint/system_colours.h"
#include "platform/win/brush.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A hook of SetWinEventHook: the events it takes and where they go.
struct WinEventHook {
    DWORD event_min;
    DWORD event_max;
    WINEVENTPROC procedure;
};

struct WindowSystem {
    std::unique_ptr<Backend> backend;
    HINSTANCE program = nullptr; // GetModuleHandle(nullptr)
    std::vector<const WindowClass*> classes;
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

    // The caret belongs to the window that made it (CreateCaret) and blinks while that
    // window has the keyboard: it shows for half a second, hides for half a second, and
    // stops blinking (shown) ten seconds after the last input.
    HWND caret_owner = nullptr;
    std::chrono::steady_clock::time_point last_input;
    bool caret_on = true;
    bool window_active = true; // the top-level window has the desktop's keyboard

    // While a middle-button paste runs its WM_PASTE: the paste reads the PRIMARY selection.
    bool is_pasting_primary = false;

    std::vector<std::unique_ptr<BrushHandle>> brushes; // made by CreateSolidBrush
    // The palette of GetSysColor, as the desktop's appearance asks, and the brushes of
    // GetSysColorBrush by colour index, which change colour with it.
    ColourScheme colour_scheme = ColourScheme::Classic;
    std::map<int, std::unique_ptr<BrushHandle>> system_brushes;

    // Assistive technology's hooks (SetWinEventHook), and the text that a paste delivers in
    // place of the clipboard's while PasteText runs.
    std::vector<std::unique_ptr<WinEventHook>> event_hooks;
    const std::optional<std::string>* pasted_text = nullptr;

    // Counters that tests and the script driver read.
    int beep_count = 0;
    std::vector<std::string> opened_addresses;

    // Called by the modal loop whenever no input is waiting; returns false to stop the loop
    // without a result (the script driver's end of input).
    std::function<bool()> idle_step;
    bool loop_abandoned = false;
    // Work of another part of the program that runs on this thread whenever the loop is about
    // to wait: the accessibility bridge's D-Bus traffic. Its helper threads make the wait
    // return with Backend::wake().
    std::function<void()> between_events;
    // Why the modal dialog could not run (the display would not open); empty while all is
    // well. The caller of the dialog reports it.
    std::string failure;
};

WindowSystem& Windows();
// Drops every window and starts over on the given backend, with program as the module of
// GetModuleHandle(nullptr) and only the dialog class registered. A null backend leaves the
// window system stopped: nothing can be created until it starts again.
void ResetWindowSystem(std::unique_ptr<Backend> backend, HINSTANCE program);
// Makes a class known to CreateWindow-style creation by its name (case-insensitive).
void RegisterWindowClass(const WindowClass& window_class);
const WindowClass* FindWindowClass(const char* name);

// Creating and destroying. instance is the module whose template the window comes from.
HWND CreateControl(const ControlTemplate& control, HWND parent, HINSTANCE instance);
HWND CreateDialogFromTemplate(const DialogTemplate& dialog, HWND parent, DLGPROC procedure,
                              LPARAM init_param, HINSTANCE instance = nullptr);
void DestroyTree(HWND window);

// Geometry: dialog units to pixels with the backend's font, relative to the frame.
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);
PixelRect WindowRectInFrame(HWND window);  // the window's rectangle in frame pixels
PixelRect ClientRect(HWND window);         // the same, with its own origin at 0, 0
bool IsShown(HWND window);                 // visible itself and every ancestor visible
bool IsWithin(HWND window, HWND ancestor); // the window is the ancestor or inside it
// WindowRectInFrame of a child whose parent's rectangle is known, without walking its
// ancestors.
PixelRect ChildRectInFrame(HWND child, const PixelRect& parent_rect);

// Takes the palette the backend says the desktop asks for, recolours the system brushes and
// paints everything anew when it changed.
void FollowDesktopColours();

// Focus, the caret and painting.
void MoveFocus(HWND window);
// Whether the dialog manager stops at the window on Tab: enabled, a tab stop, not a
// container, and not a control that answers as a label.
bool TakesFocus(HWND window);
// As Windows' dialog manager does: a push button with the keyboard shows the default frame,
// since Enter presses it; with the keyboard anywhere else the dialog's default button
// (DM_GETDEFID) shows it.
void MoveDefaultFrame(HWND focus);
bool IsCaretShown(HWND window); // the window owns the caret and it is in its visible phase
void RequestPaint();
void PaintWindowTree();                     // the whole tree into the frame's draw list
void NotifyParent(HWND control, UINT code); // WM_COMMAND with the control's id and code

// Delivers text to a field as a paste of it: WM_PASTE through the field's current procedure,
// so that every filter in front of the field applies its paste rules, while the clipboard
// reads as text (nullopt: a text that code page 1254 cannot hold). The clipboard itself is
// left as it was.
void PasteText(HWND field, const std::optional<std::string>& text);

// What WM_GETOBJECT tells of any window (DefWindowProc): its name from its naming or its
// labels or its text, its description, its states as a window, its rectangle and its labels.
// A class's procedure fills the rest.
LRESULT DescribeWindow(HWND window, AccessibleObject& object);

// Input: one backend event, or a synthesised one (the script driver).
void DispatchInput(const InputEvent& event);
HWND WindowAt(int x, int y); // the deepest shown window under a frame point that takes it

// The dialog manager: Tab, Shift+Tab, Enter, Escape and the keys that controls ask for;
// true when it took the key.
bool HandleDialogKey(HWND top, const InputEvent& key);
HWND NextTabStop(HWND top, HWND from, bool backwards);

// The modal dialog: opens the display window, creates the dialog, runs the loop until
// EndDialog and destroys the dialog. -1 when it could not be made or stopped without
// EndDialog (Windows().failure then says why, when the display would not open).
INT_PTR RunModalDialog(const DialogTemplate& dialog, HWND owner, DLGPROC procedure,
                       LPARAM init_param, HINSTANCE instance);

// The default procedure of dialog windows: calls the dialog procedure, then the defaults.
LRESULT DefDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
extern const WindowClass DialogClass; // "#32770"
