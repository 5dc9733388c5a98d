#include "testing/window_text.h"

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLength(window)), '\0');
    const LRESULT copied =
        SendMessage(window, WM_GETTEXT, text.size() + 1, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}
