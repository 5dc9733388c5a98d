#include "operand/keystroke_rules.h"

#include "operand/digit_filters.h"

bool IsPasteKey(WPARAM virtual_key) {
    return virtual_key == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0;
}

LRESULT ForwardToEdit(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
    return CallWindowProc(SavedEditProc, field, message, wparam, lparam);
}

LRESULT RefuseKeystroke() {
    MessageBeep(0xFFFFFFFF);
    return 0;
}
