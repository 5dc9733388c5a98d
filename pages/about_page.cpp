#include "pages/about_page.h"

#include "resources/about_texts.h"

HCURSOR HandCursor = nullptr;
HBRUSH LinkBackground = nullptr;

namespace {

void InstallLinkCursor(HWND page) {
    HWND link = GetDlgItem(page, AboutLink);
    LONG_PTR previous =
        SetWindowLongPtr(link, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkCursorProc));
    SetWindowLongPtr(link, GWLP_USERDATA, previous);
}

INT_PTR ColourLink(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    // The desktop's colour for links: the page's own teal in the classic colours, one that
    // reads on the button face in the others.
    SetTextColor(dc, GetSysColor(COLOR_HOTLIGHT));
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
        // Taken with the page rather than on first use, so that it belongs to the window
        // system that the page lives in; the system's brush keeps the button face's colour
        // when the desktop's colours change.
        LinkBackground = GetSysColorBrush(COLOR_BTNFACE);
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
