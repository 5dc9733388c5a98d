#pragma once

// Turns bytes into what a user, or the desktop, does to the main window, and does it:
// typing any byte into a field, pasting up to 64 KiB through the context menu or
// Shift+Insert, the program setting a field's text, clicks on buttons, boxes, tabs and
// anywhere in the window, keys (caret, selection, clipboard, Tab, Enter, Escape), context
// menu commands and window events. Every action goes through the window system's input
// dispatch as the display's events do. What must hold afterwards is window_invariants.h's.

#include "byte_source.h"

#include <string>

class HeadlessBackend;

enum class ActionKind : std::uint8_t {
    Type,        // bytes typed into a field
    Paste,       // the clipboard pasted into a field
    SetText,     // the field's text set by the program (WM_SETTEXT)
    Click,       // a button, check box or the link clicked
    Key,         // a key pressed
    SwitchTab,   // a tab chosen
    MenuCommand, // another command of a field's context menu
    Pointer,     // a click or drag anywhere in the window
    WindowEvent, // exposure, activation, the pointer leaving, the title bar's close
};

struct Action {
    ActionKind kind = ActionKind::WindowEvent;
    int target = 0; // the control acted on; 0 for none or whatever has the focus
    std::string description;
};

// The longest clipboard text and the longest text the program sets. Set texts stay short
// enough that a long soak does not spend its memory on what it left in the fields.
constexpr std::size_t LongestPaste = 65536;
constexpr std::size_t LongestSetText = 4096;

// Reads one action from bytes and performs it on the live main window; the clipboard is
// the backend's.
Action PerformNextAction(ByteSource& bytes, HeadlessBackend& backend);
