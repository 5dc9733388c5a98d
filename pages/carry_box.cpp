#include "pages/carry_box.h"

CarryFlag ReadCarryBox(HWND page, int box_id) {
    return IsDlgButtonChecked(page, box_id) ? CarryFlag::Set : CarryFlag::Clear;
}

void UpdateCarryCaption(HWND page, int box_id) {
    const char* caption =
        ReadCarryBox(page, box_id) == CarryFlag::Set ? "Carry Flag: 1" : "Carry Flag: 0";
    SendDlgItemMessage(page, box_id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption));
}
