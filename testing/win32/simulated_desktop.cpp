// The desktop as the script driver of the Windows build sees it: beeps and browser
// requests observed by redirecting the program's imports of MessageBeep and ShellExecuteA,
// and the real clipboard.

#include "testing/simulated_desktop.h"

#include "platform/backends/win32/wide_clipboard.h"
#include "platform/text/clipboard.h"
#include "platform/win/windows_api.h"
#include "testing/win32/desktop_calls.h"
#include "testing/win32/import_table.h"

namespace {

using MessageBeepFunction = BOOL(WINAPI*)(UINT);

struct ObservedCalls {
    MessageBeepFunction sound_beep = nullptr;
    int beeps = 0;
    std::vector<std::string> addresses;
};

ObservedCalls& Observed() {
    static ObservedCalls observed;
    return observed;
}

BOOL WINAPI CountedMessageBeep(UINT type) {
    ++Observed().beeps;
    return Observed().sound_beep(type);
}

// Answers as a successful start of the browser does: a value above 32.
HINSTANCE WINAPI RecordedShellExecute(HWND, LPCSTR, LPCSTR file, LPCSTR, LPCSTR, INT) {
    Observed().addresses.emplace_back(file != nullptr ? file : "");
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
}

} // namespace

bool ObserveDesktopCalls() {
    void* sound_beep =
        RedirectImport("user32.dll", "MessageBeep", reinterpret_cast<void*>(&CountedMessageBeep));
    Observed().sound_beep = reinterpret_cast<MessageBeepFunction>(sound_beep);
    void* shell_execute = RedirectImport("shell32.dll", "ShellExecuteA",
                                         reinterpret_cast<void*>(&RecordedShellExecute));
    return sound_beep != nullptr && shell_execute != nullptr;
}

int BeepsHeard() {
    return Observed().beeps;
}

std::vector<std::string> AddressesOpened() {
    return Observed().addresses;
}

// The clipboard of Windows holds Unicode, so it takes every text, also one with characters
// that the code page lacks; the field that pastes it keeps them too.
bool PutOnClipboard(const std::optional<std::string>& bytes, std::u32string_view characters) {
    if (bytes) {
        WriteClipboardText(*bytes);
        return true;
    }
    std::wstring wide;
    for (char32_t code_point : characters) {
        if (code_point >= 0x10000) {
            code_point -= 0x10000;
            wide.push_back(static_cast<wchar_t>(0xD800 + (code_point >> 10)));
            wide.push_back(static_cast<wchar_t>(0xDC00 + (code_point & 0x3FF)));
        } else {
            wide.push_back(static_cast<wchar_t>(code_point));
        }
    }
    WriteWideClipboardText(wide);
    return true;
}
