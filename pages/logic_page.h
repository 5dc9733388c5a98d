#pragma once

// The "Mantıksal" page: thirteen rows of x86 logical, shift, rotate and byte-order
// instructions on hexadecimal operands, each computed when its "=" button is pressed, and
// the carry box that feeds RCR and RCL. The arithmetic is in logic_operations.h.

#include "pages/logic_operations.h"
#include "platform/windows_api.h"

// What the page computes its rows with: the operations of logic_operations.h, which tests
// replace with faulty ones to show that their checks notice a wrong result.
struct LogicOperationTable {
    decltype(&ApplyLogicOperation) two_operands;
    decltype(&ApplyUnaryOperation) one_operand;
};
extern LogicOperationTable LogicPageOperations;

INT_PTR CALLBACK LogicPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
