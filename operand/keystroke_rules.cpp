#include "operand/keystroke_rules.h"

#include "operand/digit_filters.h"

bool IsPasteKey(WPARAM virtual_key) {
    return virtual_key == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0;
}

LRESULT ForwardToEdit(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
    return CallWindowProc(SavedEditProc, field, message, wparam, lparam);
}

SelectedRange SelectionOf(HWND field) {
    DWORD start = 0;
    DWORD end = 0;
    ForwardToEdit(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                  reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

long long RemainingRoom(HWND field) {
    const LRESULT limit = ForwardToEdit(field, EM_GETLIMITTEXT, 0, 0);
    const LRESULT length = ForwardToEdit(field, WM_GETTEXTLENGTH, 0, 0);
    const auto selected = static_cast<long long>(SelectionOf(field).length());
    return static_cast<long long>(limit) - (static_cast<long long>(length) - selected);
}

LRESULT RefuseKeystroke() {
    MessageBeep(0xFFFFFFFF);
    return 0;
}
