#include "pages/carry_box.h"

CarryFlag ReadCarryBox(HWND page, int box_id) {
    return IsDlgButtonChecked(page, box_id) ? CarryFlag::Set : CarryFlag::Clear;
}

static void SetCarryCaption(HWND page, int box_id, const char* caption) {
    SendDlgItemMessage(page, box_id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption));
}

void UpdateCarryCaption(HWND page, int box_id) {
    SetCarryCaption(page, box_id,
                    ReadCarryBox(page, box_id) == CarryFlag::Set ? CarryCaptionSet
                                                                 : CarryCaptionClear);
}

void ClearCarryBox(HWND page, int box_id) {
    SendDlgItemMessage(page, box_id, BM_SETCHECK, BST_UNCHECKED, 0);
    SetCarryCaption(page, box_id, CarryCaptionClear);
}
