#pragma once

// A window's whole text as a user would read it off the screen, asked of the window itself
// (WM_GETTEXTLENGTH, WM_GETTEXT): a field keeps its text in its own state, not in the
// window, so tests read it this way.

#include "platform/win/windows_api.h"

#include <string>

std::string WindowText(HWND window);
