#pragma once

// The "Matematiksel" page: eight rows of x86 add, subtract, multiply and divide
// instructions on hexadecimal operands, each computed when its "=" button is pressed, with
// the two-word results of MUL, IMUL, DIV and IDIV in the pair form "EAX r EDX", errors in
// the result field itself, and the carry box that feeds ADC and SBB. The arithmetic is in
// math_operations.h.

#include "pages/page_rows.h"
#include "platform/win/windows_api.h"

// The page's controls.
constexpr int MathValueHeading = 3001;  // "Onaltılık Değer", over the operands
constexpr int MathResultHeading = 3002; // "Sonuç", over the results
constexpr TwoOperandRowIds AddRow{3003};
constexpr TwoOperandRowIds AdcRow{3008};
constexpr TwoOperandRowIds SubRow{3013};
constexpr TwoOperandRowIds SbbRow{3018};
constexpr TwoOperandRowIds MulRow{3023};
constexpr TwoOperandRowIds ImulRow{3028};
constexpr TwoOperandRowIds DivRow{3033};
constexpr TwoOperandRowIds IdivRow{3038};
constexpr int MathCarryBox = 3043;

// The rows from top to bottom.
inline constexpr TwoOperandRowIds MathRows[] = {AddRow, AdcRow,  SubRow, SbbRow,
                                                MulRow, ImulRow, DivRow, IdivRow};

INT_PTR CALLBACK MathPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
