#include "platform/core/message_trace.h"

#include "platform/core/window.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>

namespace {

struct MessageName {
    UINT message;
    const char* name;
};

#define NAMED(message)                                                                             \
    { message, #message }

constexpr MessageName MessageNames[] = {
    NAMED(WM_NULL),          NAMED(WM_CREATE),        NAMED(WM_DESTROY),
    NAMED(WM_SETFOCUS),      NAMED(WM_KILLFOCUS),     NAMED(WM_ENABLE),
    NAMED(WM_SETTEXT),       NAMED(WM_GETTEXT),       NAMED(WM_GETTEXTLENGTH),
    NAMED(WM_PAINT),         NAMED(WM_CLOSE),         NAMED(WM_SHOWWINDOW),
    NAMED(WM_SETCURSOR),     NAMED(WM_NOTIFY),        NAMED(WM_CONTEXTMENU),
    NAMED(WM_SETICON),       NAMED(WM_NCHITTEST),     NAMED(WM_GETDLGCODE),
    NAMED(WM_KEYDOWN),       NAMED(WM_KEYUP),         NAMED(WM_CHAR),
    NAMED(WM_INITDIALOG),    NAMED(WM_COMMAND),       NAMED(WM_CTLCOLOREDIT),
    NAMED(WM_CTLCOLORBTN),   NAMED(WM_CTLCOLORDLG),   NAMED(WM_CTLCOLORSTATIC),
    NAMED(WM_MOUSEMOVE),     NAMED(WM_LBUTTONDOWN),   NAMED(WM_LBUTTONUP),
    NAMED(WM_LBUTTONDBLCLK), NAMED(WM_RBUTTONDOWN),   NAMED(WM_RBUTTONUP),
    NAMED(WM_CUT),           NAMED(WM_COPY),          NAMED(WM_PASTE),
    NAMED(WM_CLEAR),         NAMED(WM_UNDO),          NAMED(EM_GETSEL),
    NAMED(EM_SETSEL),        NAMED(EM_REPLACESEL),    NAMED(EM_LIMITTEXT),
    NAMED(EM_CANUNDO),       NAMED(EM_UNDO),          NAMED(EM_SETREADONLY),
    NAMED(EM_GETLIMITTEXT),  NAMED(BM_GETCHECK),      NAMED(BM_SETCHECK),
    NAMED(BM_CLICK),         NAMED(TCM_GETITEMCOUNT), NAMED(TCM_INSERTITEMA),
    NAMED(TCM_GETCURSEL),    NAMED(TCM_SETCURSEL),
};

#undef NAMED

int Depth = 0; // how deeply the message being delivered is nested in others

std::string Hexadecimal(std::uintmax_t value) {
    char text[2 + 2 * sizeof value + 1];
    std::snprintf(text, sizeof text, "0x%jx", value);
    return text;
}

} // namespace

std::string DescribeMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    // Built by appending: GCC 12 at -O3 warns falsely about temporaries joined with +.
    std::string description = window->window_class != nullptr ? window->window_class->name : "?";
    description.append(" ").append(std::to_string(window->id)).append(" ");
    const auto* named =
        std::find_if(std::begin(MessageNames), std::end(MessageNames),
                     [message](const MessageName& entry) { return entry.message == message; });
    description.append(named != std::end(MessageNames) ? named->name : Hexadecimal(message));
    description.append(" wParam=").append(Hexadecimal(wparam));
    description.append(" lParam=").append(Hexadecimal(static_cast<std::uintptr_t>(lparam)));
    return description;
}

LRESULT DeliverTracedMessage(WNDPROC procedure, HWND window, UINT message, WPARAM wparam,
                             LPARAM lparam) {
    const std::string indent(static_cast<std::size_t>(2 * Depth), ' ');
    std::fprintf(stderr, "%s-> %s\n", indent.c_str(),
                 DescribeMessage(window, message, wparam, lparam).c_str());
    ++Depth;
    const LRESULT result = procedure(window, message, wparam, lparam);
    --Depth;
    std::fprintf(stderr, "%s<- %s\n", indent.c_str(),
                 Hexadecimal(static_cast<std::uintptr_t>(result)).c_str());
    return result;
}
