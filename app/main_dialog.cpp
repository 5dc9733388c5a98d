#include "app/main_dialog.h"

#include "pages/about_page.h"
#include "pages/convert_page.h"
#include "pages/logic_page.h"
#include "pages/math_page.h"
#include "resources/resource_ids.h"

#include <cstring>

HINSTANCE AppInstance = nullptr;
HICON AppIcon = nullptr;
HWND TabHandle = nullptr;
HWND PageHandles[PageCount] = {};
int CurrentPage = 0;

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

// The fields that "Temizle" empties, page by page, in this order: each row's first operand,
// second operand and result.
const int LogicFields[] = {2003, 2005, 2007, 2008, 2010, 2012, 2013, 2015, 2017, 2018, 2020, 2022,
                           2023, 2025, 2027, 2028, 2030, 2032, 2033, 2035, 2037, 2038, 2040, 2042,
                           2043, 2045, 2047, 2048, 2050, 2052, 2053, 2055, 2056, 2058, 2059, 2061};
const int MathFields[] = {3003, 3005, 3007, 3008, 3010, 3012, 3013, 3015, 3017, 3018, 3020, 3022,
                          3023, 3025, 3027, 3028, 3030, 3032, 3033, 3035, 3037, 3038, 3040, 3042};
const int ConvertFields[] = {4004, 4014};

constexpr int LogicPageIndex = 0;
constexpr int MathPageIndex = 1;
constexpr int ConvertPageIndex = 2;

const char CarryCaptionOff[] = "Carry Flag: 0";

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
    InsertTabs();
    CreatePages();
}

void SwitchPage() {
    int selected = static_cast<int>(SendMessage(TabHandle, TCM_GETCURSEL, 0, 0));
    if (selected == CurrentPage || selected < 0 || selected >= PageCount) {
        return;
    }
    ShowWindow(PageHandles[CurrentPage], SW_HIDE);
    CurrentPage = selected;
    ShowWindow(PageHandles[CurrentPage], SW_SHOWDEFAULT);
}

template <std::size_t Count> void EmptyFields(int page_index, const int (&fields)[Count]) {
    for (int id : fields) {
        SendDlgItemMessage(PageHandles[page_index], id, WM_SETTEXT, 0, 0);
    }
}

void ResetCarryBox(int page_index, int box_id) {
    SendDlgItemMessage(PageHandles[page_index], box_id, BM_SETCHECK, BST_UNCHECKED, 0);
    SendDlgItemMessage(PageHandles[page_index], box_id, WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(CarryCaptionOff));
}

void Clear() {
    EmptyFields(LogicPageIndex, LogicFields);
    EmptyFields(MathPageIndex, MathFields);
    EmptyFields(ConvertPageIndex, ConvertFields);
    ResetCarryBox(LogicPageIndex, LogicCarryBoxId);
    ResetCarryBox(MathPageIndex, MathCarryBoxId);
}

} // namespace

INT_PTR CALLBACK MainDialog(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        Initialise(window);
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lparam)->code == static_cast<UINT>(TCN_SELCHANGE)) {
            SwitchPage();
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
