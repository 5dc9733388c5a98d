#pragma once

// A user at the keyboard and mouse, for tests and the script driver: every action goes
// through DispatchInput exactly as the display's events do, so focus, the dialog manager,
// filters and notifications all take part.

#include "platform/backends/backend.h"
#include "platform/win/windows_api.h"

#include <string_view>

// The live control with this id anywhere in the main window; ids are unique in the program.
HWND FindControl(int id);

// Gives a control the keyboard as a click after the end of its text would: the caret at
// the end, nothing selected. A control that has the focus already keeps caret and selection.
void FocusAsClick(HWND control);

void TypeBytes(std::string_view bytes);                              // to the focused control
void PressKey(unsigned virtual_key, Modifier held = Modifier::None); // down, then up
void ClickAt(int x, int y, MouseButton button = MouseButton::Left, int clicks = 1);
void MovePointerTo(int x, int y);
void ClickControl(HWND control, int clicks = 1); // at its centre
void RightClickControl(HWND control);

// Selects tab index of a tab control as a click on that tab does.
void ClickTab(HWND tab, int index);
// Right-clicks control and chooses "Yapıştır" (paste) from its context menu; false when the
// control has no such menu. Choosing a greyed item does nothing.
bool PasteFromContextMenu(HWND control);
// The close button of the main window's title bar.
void CloseFromTitleBar();
