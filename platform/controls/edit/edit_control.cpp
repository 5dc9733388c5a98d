// The EDIT class: a single-line text field that owns its text (edit_state.h). Every change
// of the text, whatever its source, goes through ApplyEdit, which applies that source's rules
// (limit, width, case, undo) in the editing model and then tells the parent EN_UPDATE and EN_CHANGE
// before it returns. Clipboard and undo requests that the field makes of itself (Ctrl codes, keys,
// context menu, the middle button's paste) are sent through the window's current procedure, so
// a filter in front sees them. Text the user selects is offered as the PRIMARY selection.

#include "platform/controls/control_classes.h"
#include "platform/controls/edit/edit_model.h"
#include "platform/controls/edit/edit_view.h"
#include "platform/core/expect.h"
#include "platform/core/window_system.h"
#include "platform/text/clipboard.h"
#include "platform/text/codepage1254.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr WPARAM LeftButtonHeld = 0x0001; // MK_LBUTTON in a mouse message's wParam

// Where a change comes from; each source has its own row of rules below.
enum class EditSource {
    Typing,        // a typed character
    KeyDeletion,   // Backspace or Delete
    Paste,         // WM_PASTE
    Deletion,      // WM_CUT, WM_CLEAR
    Replace,       // EM_REPLACESEL that can be undone
    ReplaceNoUndo, // EM_REPLACESEL that cannot
    SetText,       // WM_SETTEXT
    Undo,          // WM_UNDO, EM_UNDO
};

enum class Bound : std::uint8_t { None, LimitAndWidth };
enum class Refusal : std::uint8_t { Silent, Beep }; // what a cut-off insertion sounds like

struct SourceRules {
    EditSource source;
    Bound bound;
    bool applies_upper_case;
    UndoRule undo;
    SelectionAfter selection_after;
    Refusal refusal;
};

constexpr SourceRules SourceTable[] = {
    {EditSource::Typing, Bound::LimitAndWidth, true, UndoRule::MergeTyping,
     SelectionAfter::CaretAfterInsertion, Refusal::Beep},
    {EditSource::KeyDeletion, Bound::None, false, UndoRule::MergeTyping,
     SelectionAfter::CaretAfterInsertion, Refusal::Silent},
    {EditSource::Paste, Bound::LimitAndWidth, true, UndoRule::NewStep,
     SelectionAfter::CaretAfterInsertion, Refusal::Beep},
    {EditSource::Deletion, Bound::None, false, UndoRule::NewStep,
     SelectionAfter::CaretAfterInsertion, Refusal::Silent},
    {EditSource::Replace, Bound::LimitAndWidth, true, UndoRule::NewStep,
     SelectionAfter::CaretAfterInsertion, Refusal::Silent},
    {EditSource::ReplaceNoUndo, Bound::LimitAndWidth, true, UndoRule::Forget,
     SelectionAfter::CaretAfterInsertion, Refusal::Silent},
    {EditSource::SetText, Bound::None, true, UndoRule::Forget, SelectionAfter::CaretAtStart,
     Refusal::Silent},
    {EditSource::Undo, Bound::None, false, UndoRule::NewStep, SelectionAfter::InsertionSelected,
     Refusal::Silent},
};

const SourceRules& RulesOf(EditSource source) {
    return *std::find_if(std::begin(SourceTable), std::end(SourceTable),
                         [source](const SourceRules& row) { return row.source == source; });
}

bool HasStyle(HWND field, DWORD style) {
    return (field->style & style) != 0;
}
bool IsReadOnly(HWND field) {
    return HasStyle(field, ES_READONLY);
}

EditRules ModelRules(HWND field, const SourceRules& row) {
    EditRules rules;
    if (row.bound == Bound::LimitAndWidth) {
        rules.limit = EditStateOf(field).limit;
        if (!HasStyle(field, ES_AUTOHSCROLL)) {
            rules.fits = [field](std::string_view text) { return FitsVisibleWidth(field, text); };
        }
    }
    rules.case_rule =
        row.applies_upper_case && HasStyle(field, ES_UPPERCASE) ? CaseRule::Upper : CaseRule::Keep;
    rules.undo = row.undo;
    rules.selection_after = row.selection_after;
    return rules;
}

// Assistive technology hears of the caret and the selection, which move together.
void NotifyCaretMoved(HWND field) {
    NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, field, OBJID_CARET, CHILDID_SELF);
}

// The one way the field's text changes. The parent may do anything inside the
// notifications, even change this field again, so nothing read before them is used after.
// Assistive technology hears of the change before the parent does, so that it hears of a
// field before the fields that the parent writes in answer.
void ApplyEdit(HWND field, EditRange range, std::string_view insertion, EditSource source) {
    const SourceRules& row = RulesOf(source);
    EditState& state = EditStateOf(field);
    const EditOutcome outcome =
        state.model.replace(state.text, range, insertion, ModelRules(field, row));
    // An emptied field gives back what a long paste made it hold.
    if (state.text.empty()) {
        state.text.shrink_to_fit();
    }
    ScrollCaretIntoView(field);
    RequestPaint();
    if (outcome.is_changed) {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, field, OBJID_CLIENT, CHILDID_SELF);
    }
    NotifyCaretMoved(field);
    if (outcome.was_truncated) {
        if (row.refusal == Refusal::Beep) {
            MessageBeep(0xFFFFFFFF);
        }
        NotifyParent(field, EN_MAXTEXT);
    }
    // Setting the text notifies even when the new text is the old one.
    if (!outcome.is_changed && source != EditSource::SetText) {
        return;
    }
    if (IsLive(field)) {
        NotifyParent(field, EN_UPDATE);
    }
    if (IsLive(field)) {
        NotifyParent(field, EN_CHANGE);
    }
}

void MoveCaret(HWND field, std::size_t position, Extend extend) {
    EditState& state = EditStateOf(field);
    state.model.move_caret(position, extend, state.text.size());
    ScrollCaretIntoView(field);
    RequestPaint();
    NotifyCaretMoved(field);
}

void Select(HWND field, std::size_t anchor, std::size_t caret) {
    EditState& state = EditStateOf(field);
    state.model.select(anchor, caret, state.text.size());
    ScrollCaretIntoView(field);
    RequestPaint();
    NotifyCaretMoved(field);
}

EditRange SelectionOf(HWND field) {
    return EditStateOf(field).model.selection();
}

// As X programs do, the text the user selects (by mouse, Shift and the arrows, Ctrl+A, the
// menu) is offered as the PRIMARY selection; a selection the program makes, such as Tab's
// selecting a field's whole text, is not.
void OfferSelection(HWND field) {
    const EditRange selection = SelectionOf(field);
    if (!selection.is_empty()) {
        OfferPrimarySelection(
            std::string_view(EditStateOf(field).text).substr(selection.start, selection.length()));
    }
}

// Backspace (backwards) and Delete (forwards): the selection, else one byte beside the
// caret; at the end of the text in that direction nothing happens and nothing is told.
enum class Direction : std::uint8_t { Backwards, Forwards };

void DeleteByKey(HWND field, Direction direction) {
    if (IsReadOnly(field)) {
        return;
    }
    EditRange range = SelectionOf(field);
    if (range.is_empty()) {
        const std::size_t caret = EditStateOf(field).model.caret();
        if (direction == Direction::Backwards && caret > 0) {
            range = {caret - 1, caret};
        } else if (direction == Direction::Forwards && caret < EditStateOf(field).text.size()) {
            range = {caret, caret + 1};
        }
    }
    if (!range.is_empty()) {
        ApplyEdit(field, range, {}, EditSource::KeyDeletion);
    }
}

void SendToSelf(HWND field, UINT message) {
    SendMessage(field, message, 0, 0);
}

// ^WM_CREATE: the field takes the template's text over from the window, in the field's case.
LRESULT HandleCreate(HWND field) {
    auto state = std::make_unique<EditState>();
    state->text = std::move(field->text);
    field->text.clear();
    if (HasStyle(field, ES_UPPERCASE)) {
        state->text = UpperCaseText(state->text);
    }
    field->control = std::move(state);
    return 0;
}

LRESULT HandleSetText(HWND field, const char* text) {
    const std::string replacement = text != nullptr ? text : "";
    ApplyEdit(field, {0, EditStateOf(field).text.size()}, replacement, EditSource::SetText);
    return TRUE;
}

// ^WM_GETTEXT: as much as the buffer holds, with a closing zero; the count copied.
LRESULT HandleGetText(HWND field, WPARAM max_count, LPARAM buffer) {
    char* destination = reinterpret_cast<char*>(buffer);
    if (destination == nullptr || max_count == 0) {
        return 0;
    }
    const std::string& text = EditStateOf(field).text;
    const std::size_t count = std::min<std::size_t>(text.size(), max_count - 1);
    text.copy(destination, count);
    destination[count] = '\0';
    return static_cast<LRESULT>(count);
}

// ^WM_CHAR: the Ctrl codes that edit, select or use the clipboard, then typed characters.
LRESULT HandleChar(HWND field, unsigned char code) {
    switch (code) {
    case 0x08:
        DeleteByKey(field, Direction::Backwards);
        return 0;
    case 0x01: // Ctrl+A
        Select(field, 0, EditStateOf(field).text.size());
        OfferSelection(field);
        return 0;
    case 0x03: // Ctrl+C
        SendToSelf(field, WM_COPY);
        return 0;
    case 0x16: // Ctrl+V
    case 0x18: // Ctrl+X
    case 0x1A: // Ctrl+Z
        if (!IsReadOnly(field)) {
            SendToSelf(field, code == 0x16 ? WM_PASTE : code == 0x18 ? WM_CUT : WM_UNDO);
        }
        return 0;
    default:
        break;
    }
    // Other control codes are not text; a read-only field takes no character, silently,
    // whatever its other styles would say.
    if (code < 0x20 || code == 0x7F || IsReadOnly(field)) {
        return 0;
    }
    if (HasStyle(field, ES_NUMBER) && (code < '0' || code > '9')) {
        MessageBeep(0xFFFFFFFF);
        return 0;
    }
    const char typed = static_cast<char>(code);
    ApplyEdit(field, SelectionOf(field), std::string_view(&typed, 1), EditSource::Typing);
    return 0;
}

// Where a key that moves the caret puts it (Ctrl goes by words); nullopt for other keys. Up
// and Down move as Left and Right do in a single-line field.
std::optional<std::size_t> CaretAfterKey(WPARAM key, bool control, std::string_view text,
                                         std::size_t caret) {
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        return control ? PreviousWordStart(text, caret) : caret > 0 ? caret - 1 : 0;
    case VK_RIGHT:
    case VK_DOWN:
        return control ? NextWordStart(text, caret) : caret + 1;
    case VK_HOME:
        return 0;
    case VK_END:
        return text.size();
    default:
        return std::nullopt;
    }
}

// ^WM_KEYDOWN: caret movement (Shift extends the selection), Delete and the clipboard keys.
LRESULT HandleKeyDown(HWND field, WPARAM key, LPARAM lparam) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const EditState& state = EditStateOf(field);
    if (const auto caret = CaretAfterKey(key, control, state.text, state.model.caret())) {
        MoveCaret(field, *caret, shift ? Extend::Yes : Extend::No);
        if (shift) {
            OfferSelection(field);
        }
        return 0;
    }
    switch (key) {
    case VK_DELETE:
        if (shift) {
            SendToSelf(field, WM_CUT);
        } else {
            DeleteByKey(field, Direction::Forwards);
        }
        return 0;
    case VK_INSERT:
        if (control) {
            SendToSelf(field, WM_COPY);
        } else if (shift) {
            SendToSelf(field, WM_PASTE);
        }
        return 0;
    default:
        return DefWindowProc(field, WM_KEYDOWN, key, lparam);
    }
}

LRESULT HandleCopy(HWND field) {
    const EditRange selection = SelectionOf(field);
    if (!selection.is_empty()) {
        WriteClipboardText(
            std::string_view(EditStateOf(field).text).substr(selection.start, selection.length()));
    }
    return 0;
}

LRESULT HandleCut(HWND field) {
    const EditRange selection = SelectionOf(field);
    if (IsReadOnly(field) || selection.is_empty()) {
        return 0;
    }
    HandleCopy(field);
    ApplyEdit(field, selection, {}, EditSource::Deletion);
    return 0;
}

LRESULT HandleClear(HWND field) {
    const EditRange selection = SelectionOf(field);
    if (!IsReadOnly(field) && !selection.is_empty()) {
        ApplyEdit(field, selection, {}, EditSource::Deletion);
    }
    return 0;
}

// A single-line field takes the clipboard's first line. A clipboard with a character that
// code page 1254 lacks is refused with a beep.
LRESULT HandlePaste(HWND field) {
    if (IsReadOnly(field)) {
        return 0;
    }
    const std::optional<std::string> clipboard = ReadClipboardText();
    if (!clipboard) {
        MessageBeep(0xFFFFFFFF);
        return 0;
    }
    const std::string_view whole = *clipboard;
    const std::string_view text =
        whole.substr(0, whole.find_first_of(std::string_view("\r\n\0", 3)));
    if (!text.empty()) {
        ApplyEdit(field, SelectionOf(field), text, EditSource::Paste);
    }
    return 0;
}

LRESULT HandleUndo(HWND field) {
    if (IsReadOnly(field)) {
        return FALSE;
    }
    const EditState& state = EditStateOf(field);
    const std::optional<UndoChange> change = state.model.undo_change(state.text);
    if (!change) {
        return FALSE;
    }
    ApplyEdit(field, change->range, change->text, EditSource::Undo);
    return TRUE;
}

LRESULT HandleReplaceSelection(HWND field, WPARAM can_undo, const char* text) {
    const std::string insertion = text != nullptr ? text : "";
    ApplyEdit(field, SelectionOf(field), insertion,
              can_undo ? EditSource::Replace : EditSource::ReplaceNoUndo);
    return 0;
}

// ^EM_SETSEL: start is the anchor and end the caret; start -1 drops the selection where the
// caret is, and an end beyond the text (-1 among them) is the end of the text.
LRESULT HandleSetSelection(HWND field, WPARAM start, LPARAM end) {
    const auto start_offset = static_cast<DWORD>(start);
    const auto end_offset = static_cast<DWORD>(end);
    if (start_offset == 0xFFFFFFFF) {
        const std::size_t caret = EditStateOf(field).model.caret();
        Select(field, caret, caret);
    } else {
        Select(field, start_offset, end_offset);
    }
    return 0;
}

LRESULT HandleGetSelection(HWND field, WPARAM start_out, LPARAM end_out) {
    const EditRange selection = SelectionOf(field);
    if (auto* start = reinterpret_cast<DWORD*>(start_out)) {
        *start = static_cast<DWORD>(selection.start);
    }
    if (auto* end = reinterpret_cast<DWORD*>(end_out)) {
        *end = static_cast<DWORD>(selection.end);
    }
    return static_cast<LRESULT>(
        MAKELPARAM(static_cast<unsigned>(selection.start), static_cast<unsigned>(selection.end)));
}

LRESULT HandleLimitText(HWND field, WPARAM limit) {
    EditStateOf(field).limit =
        limit == 0 ? MaximumEditLimit : std::min<std::size_t>(limit, MaximumEditLimit);
    return 0;
}

LRESULT HandleSetReadOnly(HWND field, WPARAM is_read_only) {
    field->style = is_read_only ? field->style | ES_READONLY : field->style & ~ES_READONLY;
    RequestPaint();
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, field, OBJID_CLIENT, CHILDID_SELF);
    return TRUE;
}

// The field shows a caret while it has the keyboard; the window system blinks it.
LRESULT HandleFocus(HWND field, bool is_focused) {
    EditStateOf(field).is_focused = is_focused;
    EditStateOf(field).is_dragging = false;
    if (is_focused) {
        CreateCaret(field, nullptr, 1, Windows().metrics.height);
    } else {
        DestroyCaret();
    }
    RequestPaint();
    NotifyParent(field, is_focused ? EN_SETFOCUS : EN_KILLFOCUS);
    return 0;
}

int PointX(LPARAM lparam) {
    return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lparam)));
}
int PointY(LPARAM lparam) {
    return static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lparam)));
}

LRESULT HandleLeftButtonDown(HWND field, LPARAM lparam) {
    SetFocus(field);
    if (!IsLive(field)) {
        return 0;
    }
    const Extend extend = GetKeyState(VK_SHIFT) < 0 ? Extend::Yes : Extend::No;
    MoveCaret(field, OffsetAtX(field, PointX(lparam)), extend);
    EditStateOf(field).is_dragging = true;
    return 0;
}

LRESULT HandleMouseMove(HWND field, WPARAM buttons, LPARAM lparam) {
    EditState& state = EditStateOf(field);
    if (state.is_dragging && (buttons & LeftButtonHeld) != 0) {
        MoveCaret(field, OffsetAtX(field, PointX(lparam)), Extend::Yes);
    }
    return 0;
}

// The end of a drag, or of a Shift+click, offers what it selected.
LRESULT HandleLeftButtonUp(HWND field) {
    EditState& state = EditStateOf(field);
    if (state.is_dragging) {
        state.is_dragging = false;
        OfferSelection(field);
    }
    return 0;
}

LRESULT HandleDoubleClick(HWND field, LPARAM lparam) {
    SetFocus(field);
    if (!IsLive(field)) {
        return 0;
    }
    const EditRange word = WordAt(EditStateOf(field).text, OffsetAtX(field, PointX(lparam)));
    Select(field, word.start, word.end);
    EditStateOf(field).is_dragging = false;
    OfferSelection(field);
    return 0;
}

// ^WM_MBUTTONDOWN: the X programs' paste of the PRIMARY selection, at the click. It is the
// field's WM_PASTE, sent through its current procedure while the paste reads the PRIMARY
// selection, so that the digit fields' checks and the byte-pair field's refusal apply.
LRESULT HandleMiddleButtonDown(HWND field, LPARAM lparam) {
    if (IsReadOnly(field)) {
        return 0;
    }
    SetFocus(field);
    if (!IsLive(field)) {
        return 0;
    }
    MoveCaret(field, OffsetAtX(field, PointX(lparam)), Extend::No);
    WindowSystem& system = Windows();
    system.is_pasting_primary = true;
    SendToSelf(field, WM_PASTE);
    system.is_pasting_primary = false;
    return 0;
}

// A context menu item: its words are the string resource of the same id in the module the
// field's template came from.
PopupMenuItem MenuItem(HWND field, int command, bool is_enabled) {
    char label[64];
    LoadString(field->instance, static_cast<UINT>(command), label, sizeof label);
    return {command, label, is_enabled};
}

// ^WM_CONTEXTMENU: at the pointer (frame pixels), or under the field's top-left corner
// when it comes from the keyboard (-1, -1).
LRESULT HandleContextMenu(HWND field, LPARAM lparam) {
    if (GetFocus() != field) {
        SetFocus(field);
    }
    int x = PointX(lparam);
    int y = PointY(lparam);
    if (x == -1 && y == -1) {
        const PixelRect frame = WindowRectInFrame(field);
        x = frame.x;
        y = frame.bottom();
    }
    const EditState& state = EditStateOf(field);
    const bool is_editable = !IsReadOnly(field);
    const bool has_selection = !state.model.selection().is_empty();
    OpenPopupMenu(field, x, y,
                  {
                      MenuItem(field, IDM_EDIT_UNDO, is_editable && state.model.can_undo()),
                      MenuItem(field, IDM_EDIT_CUT, is_editable && has_selection),
                      MenuItem(field, IDM_EDIT_COPY, has_selection),
                      MenuItem(field, IDM_EDIT_PASTE, is_editable),
                      MenuItem(field, IDM_EDIT_DELETE, is_editable && has_selection),
                      MenuItem(field, IDM_EDIT_SELECT_ALL, !state.text.empty()),
                  });
    return 0;
}

// ^WM_COMMAND: a choice from the context menu, sent on to the field itself.
LRESULT HandleMenuChoice(HWND field, WPARAM wparam) {
    switch (LOWORD(wparam)) {
    case IDM_EDIT_UNDO:
        SendToSelf(field, WM_UNDO);
        break;
    case IDM_EDIT_CUT:
        SendToSelf(field, WM_CUT);
        break;
    case IDM_EDIT_COPY:
        SendToSelf(field, WM_COPY);
        break;
    case IDM_EDIT_PASTE:
        SendToSelf(field, WM_PASTE);
        break;
    case IDM_EDIT_DELETE:
        SendToSelf(field, WM_CLEAR);
        break;
    case IDM_EDIT_SELECT_ALL:
        SendMessage(field, EM_SETSEL, 0, -1);
        OfferSelection(field);
        break;
    default:
        break;
    }
    return 0;
}

// ^WM_GETOBJECT: an entry with its text, caret and selection; editable unless read-only. A
// read-only field shows what the program writes, so assistive technology tells its changes
// politely, without moving the keyboard there.
LRESULT HandleGetObject(HWND field, WPARAM part, LPARAM object_address) {
    if (!DefWindowProc(field, WM_GETOBJECT, part, object_address)) {
        return FALSE;
    }
    auto& object = *reinterpret_cast<AccessibleObject*>(object_address);
    const EditState& state = EditStateOf(field);
    object.role = AccessibleRole::Entry;
    object.states |= AccessibleState::SingleLine;
    object.states |= IsReadOnly(field) ? AccessibleState::ReadOnly : AccessibleState::Editable;
    object.live = IsReadOnly(field) ? AccessibleLive::Polite : AccessibleLive::Off;
    object.has_text = true;
    object.text = state.text;
    object.caret = state.model.caret();
    object.selection_start = state.model.selection().start;
    object.selection_end = state.model.selection().end;
    return TRUE;
}

LRESULT CALLBACK EditProcedure(HWND field, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CREATE:
        return HandleCreate(field);
    case WM_SETTEXT:
        return HandleSetText(field, reinterpret_cast<const char*>(lparam));
    case WM_GETTEXT:
        return HandleGetText(field, wparam, lparam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(EditStateOf(field).text.size());
    case WM_CHAR:
        return HandleChar(field, static_cast<unsigned char>(wparam & 0xFF));
    case WM_KEYDOWN:
        return HandleKeyDown(field, wparam, lparam);
    case WM_COPY:
        return HandleCopy(field);
    case WM_CUT:
        return HandleCut(field);
    case WM_CLEAR:
        return HandleClear(field);
    case WM_PASTE:
        return HandlePaste(field);
    case WM_UNDO:
    case EM_UNDO:
        return HandleUndo(field);
    case EM_CANUNDO:
        return EditStateOf(field).model.can_undo() ? TRUE : FALSE;
    case EM_REPLACESEL:
        return HandleReplaceSelection(field, wparam, reinterpret_cast<const char*>(lparam));
    case EM_SETSEL:
        return HandleSetSelection(field, wparam, lparam);
    case EM_GETSEL:
        return HandleGetSelection(field, wparam, lparam);
    case EM_LIMITTEXT:
        return HandleLimitText(field, wparam);
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(EditStateOf(field).limit);
    case EM_SETREADONLY:
        return HandleSetReadOnly(field, wparam);
    case WM_SETFOCUS:
        return HandleFocus(field, true);
    case WM_KILLFOCUS:
        return HandleFocus(field, false);
    case WM_LBUTTONDOWN:
        return HandleLeftButtonDown(field, lparam);
    case WM_RBUTTONDOWN:
        SetFocus(field);
        return 0;
    case WM_MOUSEMOVE:
        return HandleMouseMove(field, wparam, lparam);
    case WM_LBUTTONUP:
        return HandleLeftButtonUp(field);
    case WM_LBUTTONDBLCLK:
        return HandleDoubleClick(field, lparam);
    case WM_MBUTTONDOWN:
        return HandleMiddleButtonDown(field, lparam);
    case WM_CONTEXTMENU:
        return HandleContextMenu(field, lparam);
    case WM_COMMAND:
        return HandleMenuChoice(field, wparam);
    case WM_PAINT:
        PaintEdit(field, reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_GETOBJECT:
        return HandleGetObject(field, wparam, lparam);
    default:
        return DefWindowProc(field, message, wparam, lparam);
    }
}

} // namespace

EditState& EditStateOf(HWND field) {
    // Made at WM_CREATE, the first message a field gets.
    KALVETRA_EXPECT(field->control != nullptr);
    return static_cast<EditState&>(*field->control);
}

const WindowClass EditClass = {"EDIT", EditProcedure, CursorShape::IBeam};
