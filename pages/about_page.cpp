#include "pages/about_page.h"

#include "resources/about_texts.h"

HCURSOR HandCursor = nullptr;
HBRUSH LinkBackground = nullptr;

namespace {

constexpr COLORREF LinkColour = RGB(0, 102, 102);

void InstallLinkCursor(HWND page) {
    HWND link = GetDlgItem(page, AboutLink);
    LONG_PTR previous =
        SetWindowLongPtr(link, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkCursorProc));
    SetWindowLongPtr(link, GWLP_USERDATA, previous);
}

INT_PTR ColourLink(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, LinkColour);
    return reinterpret_cast<INT_PTR>(LinkBackground);
}

} // namespace

LRESULT CALLBACK LinkCursorProc(HWND link, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SETCURSOR) {
        // Without a hand cursor on the system, the ordinary arrow rather than no pointer.
        SetCursor(HandCursor != nullptr ? HandCursor : LoadCursor(nullptr, IDC_ARROW));
        return 0;
    }
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtr(link, GWLP_USERDATA));
    return CallWindowProc(previous, link, message, wparam, lparam);
}

INT_PTR CALLBACK AboutPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        InstallLinkCursor(page);
        // Made with the page rather than on first use, so that it belongs to the window
        // system that the page lives in and every paint of the link reuses it.
        LinkBackground = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wparam) == 0 && LOWORD(wparam) == AboutLink) {
            ShellExecute(page, "open", MakerWebTarget, nullptr, nullptr, SW_HIDE);
        }
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lparam)) == AboutLink) {
            return ColourLink(reinterpret_cast<HDC>(wparam));
        }
        return FALSE;
    default:
        return FALSE;
    }
}
