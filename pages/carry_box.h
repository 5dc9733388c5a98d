#pragma once

// The "Carry Flag" check box of a calculating page: its state as the incoming carry, and
// its caption, which always says its state.

#include "pages/carry_flag.h"
#include "platform/win/windows_api.h"

CarryFlag ReadCarryBox(HWND page, int box_id);
// Sets the caption to "Carry Flag: 1" when the box is checked, "Carry Flag: 0" otherwise.
void UpdateCarryCaption(HWND page, int box_id);
