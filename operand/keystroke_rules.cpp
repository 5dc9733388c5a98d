#include "operand/keystroke_rules.h"

#include "operand/digit_filters.h"

LRESULT ForwardToEdit(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
    return CallWindowProc(SavedEditProc, field, message, wparam, lparam);
}

LRESULT RefuseKeystroke() {
    MessageBeep(0xFFFFFFFF);
    return 0;
}
