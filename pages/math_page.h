#pragma once

// The "Matematiksel" page: eight rows of x86 add, subtract, multiply and divide
// instructions on hexadecimal operands, each computed when its "=" button is pressed, with
// the two-word results of MUL, IMUL, DIV and IDIV in the pair form "EAX r EDX", errors in
// the result field itself, and the carry box that feeds ADC and SBB. The arithmetic is in
// math_operations.h.

#include "platform/win/windows_api.h"

INT_PTR CALLBACK MathPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
