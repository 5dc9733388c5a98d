#pragma once

// Every message delivered to a window procedure passes DeliverMessage. Built with the CMake
// option KALVETRA_TRACE_MESSAGES, it prints each message with its parameters on standard
// error before the procedure runs, indented by how deeply sends nest, and the answer after:
//
//     -> EDIT 2003 WM_CHAR wParam=0x31 lParam=0x1
//       -> #32770 2000 WM_COMMAND wParam=0x40007d3 lParam=0x...
//       <- 0x1
//     <- 0x0
//
// A debugging aid only: the option is off in every build that ships or tests, and the
// program reads no environment variable to turn it on.

#include "platform/win/windows_api.h"

#include <string>

// "EDIT 2003 WM_CHAR wParam=0x31 lParam=0x1"; a message without a name shows its number.
std::string DescribeMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

LRESULT DeliverTracedMessage(WNDPROC procedure, HWND window, UINT message, WPARAM wparam,
                             LPARAM lparam);

inline LRESULT DeliverMessage(WNDPROC procedure, HWND window, UINT message, WPARAM wparam,
                              LPARAM lparam) {
#ifdef KALVETRA_TRACE_MESSAGES
    return DeliverTracedMessage(procedure, window, message, wparam, lparam);
#else
    return procedure(window, message, wparam, lparam);
#endif
}
