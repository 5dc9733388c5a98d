#pragma once

// The main window: a modal dialog holding the tab strip with the four pages, and the
// "Temizle" (clear) and "Kapat" (close) buttons. It creates the pages, switches between
// them and clears the calculating pages' fields; what the fields mean is the pages' own.

#include "platform/win/windows_api.h"

constexpr int PageCount = 4;

// Process-wide values, each set once during start-up or the main window's initialisation.
extern HINSTANCE AppInstance; // HandCursor is the About page's (pages/about_page.h)
extern HICON AppIcon;
extern HWND TabHandle;
extern HWND PageHandles[PageCount];
extern int CurrentPage;
// The control of each page that had the keyboard when the page was last left; it gets the
// keyboard back when its page is shown again.
extern HWND PageFocus[PageCount];

INT_PTR CALLBACK MainDialog(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The process entry without its exit: loads what the main window needs and runs it as a
// modal dialog; returns the modal result (0 after a normal close, -1 when the window could
// not be created).
INT_PTR RunMainWindow();
