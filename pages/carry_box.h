#pragma once

// The "Carry Flag" check box of a calculating page: its state as the incoming carry, and
// its caption, which always says its state.

#include "pages/carry_flag.h"
#include "platform/win/windows_api.h"

// The caption that always says the box's state.
constexpr char CarryCaptionClear[] = "Carry Flag: 0";
constexpr char CarryCaptionSet[] = "Carry Flag: 1";
// What a screen reader calls the box: the caption without the state, which it tells as the
// box's checked state.
constexpr char CarryBoxName[] = "Carry Flag";

CarryFlag ReadCarryBox(HWND page, int box_id);
// Sets the caption that says whether the box is checked.
void UpdateCarryCaption(HWND page, int box_id);
// Unchecks the box, then sets its caption: what "Temizle" does to each page's box.
void ClearCarryBox(HWND page, int box_id);
