#pragma once

// The standard control classes, each implemented in its own file: one window procedure per
// class, a switch over the messages it handles, DefWindowProc for the rest. The dialog
// class is the core's (platform/core/window_system.h).

#include "platform/core/window.h"

#include <span>

extern const WindowClass EditClass;       // "EDIT"            edit/edit_control.cpp
extern const WindowClass StaticClass;     // "STATIC"          static_control.cpp
extern const WindowClass ButtonClass;     // "BUTTON"          button_control.cpp
extern const WindowClass TabControlClass; // "SysTabControl32" tab_control.cpp

// Every class above, for registering them when the window system starts.
std::span<const WindowClass* const> StandardControlClasses();

// Selects a tab as a click on it does, with the same notifications to the parent.
void ChooseTab(HWND tab, int index);

// The edit field's context menu: the command ids it sends back to its owner, which are also
// the ids of the items' words among the program's string resources.
constexpr int IDM_EDIT_UNDO = 0xE001;
constexpr int IDM_EDIT_CUT = 0xE002;
constexpr int IDM_EDIT_COPY = 0xE003;
constexpr int IDM_EDIT_PASTE = 0xE004;
constexpr int IDM_EDIT_DELETE = 0xE005;
constexpr int IDM_EDIT_SELECT_ALL = 0xE006;
