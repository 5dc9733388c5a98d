#pragma once

// The window classes that templates name, each implemented in its own file: one window
// procedure per class, a switch over the messages it handles, DefWindowProc for the rest.

#include "platform/window.h"

extern const WindowClass DialogClass;     // "#32770"   dialog_class.cpp
extern const WindowClass EditClass;       // "EDIT"     edit_control.cpp
extern const WindowClass StaticClass;     // "STATIC"   static_control.cpp
extern const WindowClass ButtonClass;     // "BUTTON"   button_control.cpp
extern const WindowClass TabControlClass; // "SysTabControl32" tab_control.cpp

// Selects a tab as a click on it does, with the same notifications to the parent.
void ChooseTab(HWND tab, int index);

// Menu command ids that the edit field's context menu sends back to its owner.
constexpr int IDM_EDIT_UNDO = 0xE001;
constexpr int IDM_EDIT_CUT = 0xE002;
constexpr int IDM_EDIT_COPY = 0xE003;
constexpr int IDM_EDIT_PASTE = 0xE004;
constexpr int IDM_EDIT_DELETE = 0xE005;
constexpr int IDM_EDIT_SELECT_ALL = 0xE006;
