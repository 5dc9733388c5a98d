#pragma once

// The "Matematiksel" page: eight rows of x86 add, subtract, multiply and divide
// instructions on hexadecimal operands, each computed when its "=" button is pressed, with
// the two-word results of MUL, IMUL, DIV and IDIV in the pair form "EAX r EDX", errors in
// the result field itself, and the carry box that feeds ADC and SBB. The arithmetic is in
// math_operations.h.

#include "pages/math_operations.h"
#include "pages/page_rows.h"
#include "platform/win/windows_api.h"

// The page's controls: the headings over the operands ("Onaltılık Değer") and the results
// ("Sonuç"), the rows by their base ids, and the carry box.
constexpr int MathValueHeading = 3001, MathResultHeading = 3002;
constexpr TwoOperandRowIds AddRow{3003}, AdcRow{3008}, SubRow{3013}, SbbRow{3018}, MulRow{3023},
    ImulRow{3028}, DivRow{3033}, IdivRow{3038};
constexpr int MathCarryBox = 3043;

// The rows from top to bottom.
inline constexpr TwoOperandRowIds MathRows[] = {AddRow, AdcRow,  SubRow, SbbRow,
                                                MulRow, ImulRow, DivRow, IdivRow};

// What the page computes its rows with: the operations of math_operations.h, which tests
// replace with faulty ones to show that their checks notice a wrong result.
struct MathOperationTable {
    decltype(&ApplyMathOperation) compute;
};
extern MathOperationTable MathPageOperations;

INT_PTR CALLBACK MathPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
