#include "app/main_dialog.h"

#include "pages/about_page.h"
#include "pages/carry_box.h"
#include "pages/convert_page.h"
#include "pages/logic_page.h"
#include "pages/math_page.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <cstring>
#include <span>

HINSTANCE AppInstance = nullptr;
HICON AppIcon = nullptr;
HWND TabHandle = nullptr;
HWND PageHandles[PageCount] = {};
int CurrentPage = 0;
HWND PageFocus[PageCount] = {};

namespace {

struct PageEntry {
    const char* label; // code page 1254
    int template_id;
    DLGPROC procedure;
};

const PageEntry Pages[PageCount] = {
    {"Mant\xFDksal", LogicPageId, LogicPage},            // "Mantıksal"
    {"Matematiksel", MathPageId, MathPage},              // "Matematiksel"
    {"D\xF6n\xFC\xFE\xFCm", ConvertPageId, ConvertPage}, // "Dönüşüm"
    {"Hakk\xFDnda", AboutPageId, AboutPage},             // "Hakkında"
};

constexpr int LogicPageIndex = 0;
constexpr int MathPageIndex = 1;
constexpr int ConvertPageIndex = 2;

void InsertTabs() {
    for (int index = 0; index < PageCount; ++index) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(Pages[index].label);
        item.cchTextMax = static_cast<int>(std::strlen(Pages[index].label)) + 1;
        item.iImage = -1;
        SendMessage(TabHandle, TCM_INSERTITEMA, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(&item));
    }
}

void CreatePages() {
    for (int index = 0; index < PageCount; ++index) {
        PageHandles[index] =
            CreateDialogParam(AppInstance, MAKEINTRESOURCE(Pages[index].template_id), TabHandle,
                              Pages[index].procedure, 0);
    }
}

void Initialise(HWND window) {
    AppIcon = LoadIcon(AppInstance, MAKEINTRESOURCE(AppIconId));
    SendMessage(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(AppIcon));
    TabHandle = GetDlgItem(window, TabControlId);
    std::fill(std::begin(PageFocus), std::end(PageFocus), nullptr);
    InsertTabs();
    CreatePages();
}

// After a page switch the keyboard is on the shown page, so that what the user types lands
// there and a screen reader follows: on the control that had it when the page was left, else
// on the page's first field. A page with nothing to type into (About) keeps the keyboard where
// it was if that is still on view, else gives it to the first button of the window.
void GiveKeyboardToPage(HWND window) {
    HWND page = PageHandles[CurrentPage];
    HWND target = PageFocus[CurrentPage];
    if (!IsChild(page, target)) {
        target = GetNextDlgTabItem(page, nullptr, FALSE);
    }
    if (!IsChild(page, target)) {
        if (IsWindowVisible(GetFocus())) {
            return;
        }
        target = GetNextDlgTabItem(window, nullptr, FALSE);
    }
    SetFocus(target);
}

void SwitchPage(HWND window) {
    int selected = static_cast<int>(SendMessage(TabHandle, TCM_GETCURSEL, 0, 0));
    if (selected == CurrentPage || selected < 0 || selected >= PageCount) {
        return;
    }
    if (HWND focus = GetFocus(); IsChild(PageHandles[CurrentPage], focus)) {
        PageFocus[CurrentPage] = focus;
    }
    ShowWindow(PageHandles[CurrentPage], SW_HIDE);
    CurrentPage = selected;
    ShowWindow(PageHandles[CurrentPage], SW_SHOWDEFAULT);
    GiveKeyboardToPage(window);
}

void EmptyField(int page_index, int id) {
    SendDlgItemMessage(PageHandles[page_index], id, WM_SETTEXT, 0, 0);
}

// Each row's first operand, second operand and result, row by row.
void EmptyRows(int page_index, std::span<const TwoOperandRowIds> rows) {
    for (const TwoOperandRowIds& row : rows) {
        EmptyField(page_index, row.first());
        EmptyField(page_index, row.second());
        EmptyField(page_index, row.result());
    }
}

// "Temizle": the fields in this order, then both carry boxes. The conversion page's other
// fields follow from its two inputs by its own reactions.
void Clear() {
    EmptyRows(LogicPageIndex, LogicTwoOperandRows);
    for (const OneOperandRowIds& row : LogicOneOperandRows) {
        EmptyField(LogicPageIndex, row.operand());
        EmptyField(LogicPageIndex, row.result());
    }
    EmptyRows(MathPageIndex, MathRows);
    EmptyField(ConvertPageIndex, HexField);
    EmptyField(ConvertPageIndex, PairField);
    ClearCarryBox(PageHandles[LogicPageIndex], LogicCarryBox);
    ClearCarryBox(PageHandles[MathPageIndex], MathCarryBox);
}

} // namespace

INT_PTR CALLBACK MainDialog(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        Initialise(window);
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lparam)->code == static_cast<UINT>(TCN_SELCHANGE)) {
            SwitchPage(window);
        }
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wparam) == 0 && LOWORD(wparam) == IDOK) {
            Clear();
        } else if (HIWORD(wparam) == 0 && LOWORD(wparam) == IDCANCEL) {
            SendMessage(window, WM_CLOSE, 0, 0);
        }
        return TRUE;
    case WM_CLOSE:
        EndDialog(window, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR RunMainWindow() {
    AppInstance = GetModuleHandle(nullptr);
    HandCursor = LoadCursor(nullptr, IDC_HAND);
    InitCommonControls();
    CurrentPage = 0;
    return DialogBoxParam(AppInstance, MAKEINTRESOURCE(MainDialogId), nullptr, MainDialog, 0);
}
