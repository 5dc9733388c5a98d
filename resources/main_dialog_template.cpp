// Template 1000, the main dialog: the tab strip that hosts the four pages and the two push
// buttons. "Temizle" is the default button (IDOK), so Enter clears; "Kapat" is IDCANCEL, so
// Escape closes. The pages are separate templates, created by the main dialog at start.

#include "platform/core/dialog_template.h"
#include "resources/control_styles.h"
#include "resources/resource_ids.h"
#include "resources/templates.h"

namespace {

const ControlTemplate Controls[] = {
    {"SysTabControl32", nullptr, TabControlId, 2, 1, 305, 227,
     ChildStyle | WS_TABSTOP | TCS_FOCUSNEVER, 0},
    {"BUTTON", "Temizle", IDOK, 208, 232, 46, 14, ChildStyle | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
    {"BUTTON", "Kapat", IDCANCEL, 260, 232, 46, 14, PushButtonStyle, 0},
};

// Fixed size: a modal frame and a minimise box, but no maximise box.
constexpr std::uint32_t MainDialogStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                          WS_MINIMIZEBOX | DS_MODALFRAME | DS_CENTER | DS_SETFONT;

} // namespace

const DialogTemplate MainDialogTemplate{
    MainDialogId,
    "[QLX]Kalvetra v1.2 (32-Bit)",
    6,
    6,
    308,
    248,
    MainDialogStyle,
    WS_EX_DLGMODALFRAME,
    "MS Sans Serif",
    8,
    Controls,
};
