#pragma once

// The "Mantıksal" page: thirteen rows of x86 logical, shift, rotate and byte-order
// instructions on hexadecimal operands, each computed when its "=" button is pressed, and
// the carry box that feeds RCR and RCL. The arithmetic is in logic_operations.h.

#include "platform/win/windows_api.h"

INT_PTR CALLBACK LogicPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
