#pragma once

// The "Matematiksel" page: eight rows of x86 add, subtract, multiply and divide
// instructions on hexadecimal operands, each computed when its "=" button is pressed, with
// the two-word results of MUL, IMUL, DIV and IDIV in the pair form "EAX r EDX", errors in
// the result field itself, and the carry box that feeds ADC and SBB. The arithmetic is in
// math_operations.h.

#include "pages/math_operations.h"
#include "platform/windows_api.h"

// What the page computes its rows with: the operations of math_operations.h, which tests
// replace with faulty ones to show that their checks notice a wrong result.
struct MathOperationTable {
    decltype(&ApplyMathOperation) compute;
};
extern MathOperationTable MathPageOperations;

INT_PTR CALLBACK MathPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
