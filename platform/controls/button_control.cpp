// The BUTTON class: push buttons (plain and default), check boxes and group boxes. A push
// or check box is pressed by the mouse or by Space and clicks on release: mouse-up over the
// button after a press on it, or Space key-up. An automatic check box toggles before the
// parent hears BN_CLICKED, so the parent reads the new state. Group boxes only draw their
// frame and caption. Which button is the dialog's default is the dialog manager's business
// (BM_SETSTYLE); this file only draws the style it finds.

#include "platform/controls/control_classes.h"
#include "platform/core/window_system.h"
#include "platform/paint/device_context.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace {

enum class ButtonKind { Push, DefaultPush, CheckBox, AutoCheckBox, GroupBox };

// What holds the button down: nothing, the left mouse button, or the Space key.
enum class Press { None, Mouse, Key };

struct ButtonState : ControlState {
    bool is_checked = false;
    bool is_drawn_pressed = false; // false while a mouse press has wandered off the button
    Press press = Press::None;
};

ButtonState& StateOf(HWND button) {
    if (!button->control) {
        button->control = std::make_unique<ButtonState>();
    }
    return static_cast<ButtonState&>(*button->control);
}

ButtonKind KindOf(HWND button) {
    switch (button->style & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON:
        return ButtonKind::DefaultPush;
    case BS_CHECKBOX:
        return ButtonKind::CheckBox;
    case BS_AUTOCHECKBOX:
        return ButtonKind::AutoCheckBox;
    case BS_GROUPBOX:
        return ButtonKind::GroupBox;
    default:
        return ButtonKind::Push;
    }
}

bool IsCheckBox(HWND button) {
    const ButtonKind kind = KindOf(button);
    return kind == ButtonKind::CheckBox || kind == ButtonKind::AutoCheckBox;
}

bool TakesInput(HWND button) {
    return button->is_enabled() && KindOf(button) != ButtonKind::GroupBox;
}

bool IsFocused(HWND button) {
    return GetFocus() == button;
}

// Sizes are given for the 13-pixel font and grow with the backend's font.
int Scaled(HDC dc, int pixels) {
    constexpr int base_font_height = 13;
    return (pixels * Font(dc).height + base_font_height / 2) / base_font_height;
}

COLORREF TextColour(HWND button) {
    return GetSysColor(button->is_enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
}

// Pressing and clicking.

void SetDrawnPressed(HWND button, bool is_pressed) {
    ButtonState& state = StateOf(button);
    if (state.is_drawn_pressed == is_pressed) {
        return;
    }
    state.is_drawn_pressed = is_pressed;
    RequestPaint();
}

void NotifyStateChange(HWND button) {
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, button, OBJID_CLIENT, CHILDID_SELF);
}

void Click(HWND button) {
    if (KindOf(button) == ButtonKind::AutoCheckBox) {
        ButtonState& state = StateOf(button);
        state.is_checked = !state.is_checked;
        RequestPaint();
        NotifyStateChange(button);
    }
    NotifyParent(button, BN_CLICKED);
}

void BeginPress(HWND button, Press by) {
    StateOf(button).press = by;
    SetDrawnPressed(button, true);
}

// Ends a press without a click.
void EndPress(HWND button) {
    StateOf(button).press = Press::None;
    SetDrawnPressed(button, false);
}

bool IsInside(HWND button, LPARAM position) {
    const int x = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(position)));
    const int y = static_cast<short>(HIWORD(static_cast<std::uintptr_t>(position)));
    return ClientRect(button).contains(x, y);
}

// Either button takes the keyboard; only the left one presses. A double click on a push
// button or check box counts as a second press, so two quick clicks on a check box toggle it
// twice.
LRESULT HandleMouseDown(HWND button, UINT message) {
    if (TakesInput(button)) {
        SetFocus(button);
        if (message != WM_RBUTTONDOWN) {
            BeginPress(button, Press::Mouse);
        }
    }
    return 0;
}

LRESULT HandleMouseMove(HWND button, LPARAM position) {
    if (StateOf(button).press == Press::Mouse) {
        SetDrawnPressed(button, IsInside(button, position));
    }
    return 0;
}

LRESULT HandleMouseUp(HWND button, LPARAM position) {
    if (StateOf(button).press != Press::Mouse) {
        return 0;
    }
    EndPress(button);
    if (IsInside(button, position)) {
        Click(button);
    }
    return 0;
}

LRESULT HandleKeyDown(HWND button, WPARAM key) {
    if (key == VK_SPACE && TakesInput(button) && StateOf(button).press == Press::None) {
        BeginPress(button, Press::Key);
    }
    return 0;
}

LRESULT HandleKeyUp(HWND button, WPARAM key) {
    if (key == VK_SPACE && StateOf(button).press == Press::Key) {
        EndPress(button);
        Click(button);
    }
    return 0;
}

// Losing the focus drops a Space press without a click.
LRESULT HandleKillFocus(HWND button) {
    if (StateOf(button).press == Press::Key) {
        EndPress(button);
    }
    RequestPaint();
    return 0;
}

LRESULT HandleClickMessage(HWND button) {
    if (TakesInput(button)) {
        Click(button);
    }
    return 0;
}

LRESULT HandleSetCheck(HWND button, WPARAM check) {
    if (!IsCheckBox(button)) {
        return 0;
    }
    ButtonState& state = StateOf(button);
    const bool is_checked = check == BST_CHECKED;
    if (state.is_checked != is_checked) {
        state.is_checked = is_checked;
        RequestPaint();
        NotifyStateChange(button);
    }
    return 0;
}

// ^BM_SETSTYLE: only the default frame of a push button changes, which the dialog manager
// moves to the push button with the keyboard.
LRESULT HandleSetStyle(HWND button, WPARAM style) {
    const ButtonKind kind = KindOf(button);
    const DWORD type = static_cast<DWORD>(style) & BS_TYPEMASK;
    if ((kind != ButtonKind::Push && kind != ButtonKind::DefaultPush) ||
        (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) ||
        (button->style & BS_TYPEMASK) == type) {
        return 0;
    }
    button->style = (button->style & ~BS_TYPEMASK) | type;
    RequestPaint();
    NotifyStateChange(button);
    return 0;
}

LRESULT HandleGetCheck(HWND button) {
    return IsCheckBox(button) && StateOf(button).is_checked ? BST_CHECKED : BST_UNCHECKED;
}

LRESULT HandleGetDialogCode(HWND button) {
    switch (KindOf(button)) {
    case ButtonKind::DefaultPush:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case ButtonKind::Push:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case ButtonKind::GroupBox:
        return DLGC_STATIC;
    default:
        return DLGC_BUTTON;
    }
}

// What assistive technology is told: a push button (the default one so marked) or a check
// box, each with the click as its action; a group box is a panel named by its caption that
// holds the controls inside its frame.
LRESULT HandleGetObject(HWND button, WPARAM part, LPARAM object_address) {
    if (!DefWindowProc(button, WM_GETOBJECT, part, object_address)) {
        return FALSE;
    }
    auto& object = *reinterpret_cast<AccessibleObject*>(object_address);
    switch (KindOf(button)) {
    case ButtonKind::DefaultPush:
        object.states |= AccessibleState::Default;
        [[fallthrough]];
    case ButtonKind::Push:
        object.role = AccessibleRole::PushButton;
        object.actions = {ClickAction};
        break;
    case ButtonKind::CheckBox:
    case ButtonKind::AutoCheckBox:
        object.role = AccessibleRole::CheckBox;
        object.states |= AccessibleState::Checkable;
        if (StateOf(button).is_checked) {
            object.states |= AccessibleState::Checked;
        }
        object.actions = {ClickAction};
        break;
    case ButtonKind::GroupBox:
        object.role = AccessibleRole::Panel;
        object.holds_siblings = true;
        break;
    }
    return TRUE;
}

// ^WM_ACCESSIBLEACTION: the click, exactly as BM_CLICK makes it.
LRESULT HandleAccessibleAction(HWND button, WPARAM part, LPARAM action) {
    if (part != 0 || action != 0 || !TakesInput(button)) {
        return FALSE;
    }
    Click(button);
    return TRUE;
}

// Painting.

// Outside in: the static edge, the default button's frame (black in the classic colours), then the
// raised (or, held down, pressed) edge; the text is centred in what is left, one pixel down-right
// when held.
void PaintPushButton(HWND button, HDC dc) {
    PixelRect area = ClientRect(button);
    PaintFill(dc, area, GetSysColor(COLOR_BTNFACE));
    if ((button->ex_style & WS_EX_STATICEDGE) != 0) {
        area = PaintStaticEdge(dc, area);
    }
    if (KindOf(button) == ButtonKind::DefaultPush) {
        PaintBorder(dc, area, GetSysColor(COLOR_WINDOWFRAME));
        area = area.inset(1);
    }
    const bool is_pressed = StateOf(button).is_drawn_pressed;
    area = is_pressed ? PaintPressedEdge(dc, area) : PaintRaisedEdge(dc, area);
    const int offset = is_pressed ? 1 : 0;
    const int x = area.x + (area.width - TextWidth(dc, button->text)) / 2 + offset;
    const int y = area.y + (area.height - Font(dc).height) / 2 + offset;
    PaintTextClipped(dc, x, y, button->text, TextColour(button), area);
    if (IsFocused(button)) {
        PaintDottedFrame(dc, area.inset(Scaled(dc, 1)));
    }
}

// The check mark of the 13-pixel box: seven columns, each three pixels tall, starting at
// these rows of the box's 9 x 9 inside, drawn one pixel in from its corner (centred in the
// inside, which at larger scales is more than twice as big, its edge not growing with it):
//   ......X
//   .....XX
//   X...XXX
//   XX.XXX.
//   XXXXX..
//   .XXX...
//   ..X....
constexpr int CheckMarkColumnTops[] = {2, 3, 4, 3, 2, 1, 0};

void PaintCheckMark(HDC dc, PixelRect inside, COLORREF colour) {
    const int left = inside.x + (inside.width - Scaled(dc, 7)) / 2;
    const int top = inside.y + (inside.height - Scaled(dc, 7)) / 2;
    for (int column = 0; column < 7; ++column) {
        const int row = CheckMarkColumnTops[column];
        const int x = left + Scaled(dc, column);
        const int y = top + Scaled(dc, row);
        PaintFill(dc, {x, y, left + Scaled(dc, column + 1) - x, top + Scaled(dc, row + 3) - y},
                  colour);
    }
}

void PaintCheckBox(HWND button, HDC dc) {
    const PixelRect area = ClientRect(button);
    PaintFill(dc, area, GetSysColor(COLOR_BTNFACE));
    const ButtonState& state = StateOf(button);
    const int box_size = Scaled(dc, 13);
    const PixelRect box{area.x, area.y + (area.height - box_size) / 2, box_size, box_size};
    // The box is white, and button-face while held down or disabled.
    const bool is_greyed = state.is_drawn_pressed || !button->is_enabled();
    PaintFill(dc, box, GetSysColor(is_greyed ? COLOR_BTNFACE : COLOR_WINDOW));
    const PixelRect inside = PaintSunkenEdge(dc, box);
    if (state.is_checked) {
        PaintCheckMark(dc, inside,
                       GetSysColor(button->is_enabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    }
    const int text_height = Font(dc).height;
    const int x = box.right() + Scaled(dc, 4);
    const int y = area.y + (area.height - text_height) / 2;
    const PixelRect text_area{x, area.y, area.right() - x, area.height};
    PaintTextClipped(dc, x, y, button->text, TextColour(button), text_area);
    if (IsFocused(button) && !button->text.empty()) {
        const PixelRect around_text{x - 1, y - 1, TextWidth(dc, button->text) + 2, text_height + 2};
        PaintDottedFrame(dc, around_text.intersected(area));
    }
}

// The etched frame runs through the middle of the caption line; the caption, on a strip of
// button face a little wider than itself, cuts the frame's top edge.
void PaintGroupBox(HWND button, HDC dc) {
    const PixelRect area = ClientRect(button);
    const int text_height = Font(dc).height;
    const int frame_top = text_height / 2;
    PaintEtchedFrame(dc, {area.x, area.y + frame_top, area.width, area.height - frame_top});
    if (button->text.empty()) {
        return;
    }
    const int text_width = TextWidth(dc, button->text);
    const int margin = Scaled(dc, 2);
    const int x = (button->style & BS_CENTER) == BS_CENTER ? area.x + (area.width - text_width) / 2
                                                           : area.x + Scaled(dc, 8);
    PaintFill(dc,
              PixelRect{x - margin, area.y, text_width + 2 * margin, text_height}.intersected(area),
              GetSysColor(COLOR_BTNFACE));
    PaintTextClipped(dc, x, area.y, button->text, TextColour(button), area);
}

LRESULT HandlePaint(HWND button, HDC dc) {
    switch (KindOf(button)) {
    case ButtonKind::Push:
    case ButtonKind::DefaultPush:
        PaintPushButton(button, dc);
        break;
    case ButtonKind::CheckBox:
    case ButtonKind::AutoCheckBox:
        PaintCheckBox(button, dc);
        break;
    case ButtonKind::GroupBox:
        PaintGroupBox(button, dc);
        break;
    }
    return 0;
}

LRESULT CALLBACK ButtonProcedure(HWND button, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT:
        return HandlePaint(button, reinterpret_cast<HDC>(wparam));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
        return HandleMouseDown(button, message);
    case WM_MOUSEMOVE:
        return HandleMouseMove(button, lparam);
    case WM_LBUTTONUP:
        return HandleMouseUp(button, lparam);
    case WM_KEYDOWN:
        return HandleKeyDown(button, wparam);
    case WM_KEYUP:
        return HandleKeyUp(button, wparam);
    case WM_SETFOCUS:
        RequestPaint();
        return 0;
    case WM_KILLFOCUS:
        return HandleKillFocus(button);
    case BM_CLICK:
        return HandleClickMessage(button);
    case BM_GETCHECK:
        return HandleGetCheck(button);
    case BM_SETCHECK:
        return HandleSetCheck(button, wparam);
    case BM_SETSTYLE:
        return HandleSetStyle(button, wparam);
    case WM_GETOBJECT:
        return HandleGetObject(button, wparam, lparam);
    case WM_ACCESSIBLEACTION:
        return HandleAccessibleAction(button, wparam, lparam);
    case WM_GETDLGCODE:
        return HandleGetDialogCode(button);
    case WM_NCHITTEST:
        // A group box is a frame around others: the mouse passes through it.
        return KindOf(button) == ButtonKind::GroupBox
                   ? HTTRANSPARENT
                   : DefWindowProc(button, message, wparam, lparam);
    default:
        return DefWindowProc(button, message, wparam, lparam);
    }
}

} // namespace

const WindowClass ButtonClass = {"BUTTON", ButtonProcedure, CursorShape::Arrow};
