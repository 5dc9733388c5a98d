// The clipboard of the Windows build. It holds Unicode text; the program's texts are bytes
// of the ANSI code page (1254 on a Turkish system), so both ways convert with that code page,
// and a character it cannot hold is reported rather than replaced.

#include "platform/text/clipboard.h"

#include "platform/backends/win32/wide_clipboard.h"
#include "platform/win/windows_api.h"

#include <cwchar>
#include <string>

std::optional<std::string> ReadClipboardText() {
    std::optional<std::string> text = std::string();
    if (!OpenClipboard(nullptr)) {
        return text;
    }
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* wide = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (wide != nullptr) {
        const int length = static_cast<int>(std::wcslen(wide));
        BOOL replaced = FALSE;
        const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0,
                                             nullptr, &replaced);
        text->resize(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, text->data(), size, nullptr,
                            &replaced);
        if (replaced) {
            text.reset();
        }
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void WriteClipboardText(std::string_view text) {
    const int length = static_cast<int>(text.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0)),
        L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
    WriteWideClipboardText(wide);
}

void WriteWideClipboardText(std::wstring_view text) {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (data == nullptr) {
        return;
    }
    auto* wide = static_cast<wchar_t*>(GlobalLock(data));
    text.copy(wide, text.size());
    wide[text.size()] = L'\0';
    GlobalUnlock(data);
    if (!OpenClipboard(GetActiveWindow())) {
        GlobalFree(data);
        return;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, data) == nullptr) {
        GlobalFree(data);
    }
    CloseClipboard();
}
