#pragma once

// The "Mantıksal" page: thirteen rows of x86 logical, shift, rotate and byte-order
// instructions on hexadecimal operands, each computed when its "=" button is pressed, and
// the carry box that feeds RCR and RCL. The arithmetic is in logic_operations.h.

#include "pages/page_rows.h"
#include "platform/win/windows_api.h"

// The page's controls.
constexpr int LogicValueHeading = 2001;  // "Onaltılık Değer", over the operands
constexpr int LogicResultHeading = 2002; // "Sonuç", over the results
constexpr TwoOperandRowIds AndRow{2003};
constexpr TwoOperandRowIds OrRow{2008};
constexpr TwoOperandRowIds XorRow{2013};
constexpr TwoOperandRowIds SarRow{2018};
constexpr TwoOperandRowIds ShrRow{2023};
constexpr TwoOperandRowIds ShlRow{2028};
constexpr TwoOperandRowIds RorRow{2033};
constexpr TwoOperandRowIds RcrRow{2038};
constexpr TwoOperandRowIds RolRow{2043};
constexpr TwoOperandRowIds RclRow{2048};
constexpr OneOperandRowIds NotRow{2053};
constexpr OneOperandRowIds NegRow{2056};
constexpr OneOperandRowIds BswapRow{2059};
constexpr int LogicCarryBox = 2062;

// The rows from top to bottom.
inline constexpr TwoOperandRowIds LogicTwoOperandRows[] = {AndRow, OrRow,  XorRow, SarRow, ShrRow,
                                                           ShlRow, RorRow, RcrRow, RolRow, RclRow};
inline constexpr OneOperandRowIds LogicOneOperandRows[] = {NotRow, NegRow, BswapRow};

INT_PTR CALLBACK LogicPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
