// The SysTabControl32 class: a row of labelled tabs over a raised body. It keeps the labels
// and the selection; pressing the mouse on another tab (or ChooseTab) asks the parent with
// TCN_SELCHANGING, selects, and tells the parent with TCN_SELCHANGE. The pages are ordinary
// children that the parent shows and hides; the window system paints them after the tab
// control itself.

#include "platform/controls/tab_control.h"

#include "platform/controls/control_classes.h"
#include "platform/core/window_system.h"
#include "platform/paint/device_context.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

struct TabState : ControlState {
    std::vector<std::string> labels;
    int selected = -1; // -1 only while there are no tabs
};

TabState& StateOf(HWND tab) {
    if (!tab->control) {
        tab->control = std::make_unique<TabState>();
    }
    return static_cast<TabState&>(*tab->control);
}

// Sizes are given for the 13-pixel font and grow with the backend's font.
int Scaled(const FontMetrics& font, int pixels) {
    constexpr int base_font_height = 13;
    return (pixels * font.height + base_font_height / 2) / base_font_height;
}

// The selected tab reaches this far down into the body's top edge, hiding it under itself.
constexpr int JoinDepth = 2;

int StripHeight(const FontMetrics& font) {
    return font.height + Scaled(font, 6);
}

// Painting.

// Light left and top with cut corners, dark right; the bottom is open.
void PaintTabEdges(HDC dc, PixelRect tab) {
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW);
    PaintFill(dc, {tab.x, tab.y + 2, 1, tab.height - 2}, light);
    PaintFill(dc, {tab.x + 1, tab.y + 1, 1, 1}, light);
    PaintFill(dc, {tab.x + 2, tab.y, tab.width - 4, 1}, light);
    PaintFill(dc, {tab.right() - 2, tab.y + 1, 1, 1}, dark);
    PaintFill(dc, {tab.right() - 1, tab.y + 2, 1, tab.height - 2}, dark);
    PaintFill(dc, {tab.right() - 2, tab.y + 2, 1, tab.height - 2}, shadow);
}

void PaintTab(HWND tab, HDC dc, PixelRect rect, int index) {
    const TabState& state = StateOf(tab);
    const bool is_selected = index == state.selected;
    if (is_selected) {
        PaintFill(dc, rect, GetSysColor(COLOR_BTNFACE));
    }
    PaintTabEdges(dc, rect);
    const FontMetrics font = Font(dc);
    const std::string& label = state.labels[static_cast<std::size_t>(index)];
    const int text_width = TextWidth(dc, label);
    const int x = rect.x + (rect.width - text_width) / 2;
    const int y = rect.y + (StripHeight(font) - rect.y - font.height) / 2;
    const COLORREF colour = GetSysColor(tab->is_enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    PaintTextClipped(dc, x, y, label, colour, rect);
    if (is_selected && GetFocus() == tab) {
        PaintDottedFrame(
            dc, PixelRect{x - 2, y - 1, text_width + 4, font.height + 2}.intersected(rect));
    }
}

// The selected tab is painted last, over its neighbours and the body's edge.
LRESULT HandlePaint(HWND tab, HDC dc) {
    const TabParts parts = TabRects(tab);
    PaintFill(dc, ClientRect(tab), GetSysColor(COLOR_BTNFACE));
    PaintRaisedEdge(dc, parts.body);
    const int selected = StateOf(tab).selected;
    for (int index = 0; index < static_cast<int>(parts.tabs.size()); ++index) {
        if (index != selected) {
            PaintTab(tab, dc, parts.tabs[static_cast<std::size_t>(index)], index);
        }
    }
    if (selected >= 0) {
        PaintTab(tab, dc, parts.tabs[static_cast<std::size_t>(selected)], selected);
    }
    return 0;
}

// Items and selection.

// An index past the end appends. Inserting at or before the selection moves the selection
// along with its item; the first item becomes the selection.
LRESULT HandleInsertItem(HWND tab, WPARAM wparam, const TCITEMA* item) {
    const int requested = static_cast<int>(static_cast<std::intptr_t>(wparam));
    if (requested < 0 || item == nullptr) {
        return -1;
    }
    TabState& state = StateOf(tab);
    const int index = std::min(requested, static_cast<int>(state.labels.size()));
    std::string label;
    if ((item->mask & TCIF_TEXT) != 0 && item->pszText != nullptr) {
        label = item->pszText;
    }
    state.labels.insert(state.labels.begin() + index, std::move(label));
    if (state.selected < 0) {
        state.selected = 0;
    } else if (index <= state.selected) {
        ++state.selected;
    }
    RequestPaint();
    return index;
}

// Selects an existing tab and tells assistive technology (its part is its index + 1).
void Select(HWND tab, int index) {
    StateOf(tab).selected = index;
    RequestPaint();
    NotifyWinEvent(EVENT_OBJECT_SELECTION, tab, OBJID_CLIENT, index + 1);
}

LRESULT HandleSetSelection(HWND tab, WPARAM wparam) {
    TabState& state = StateOf(tab);
    const int index = static_cast<int>(static_cast<std::intptr_t>(wparam));
    if (index < 0 || index >= static_cast<int>(state.labels.size())) {
        return -1;
    }
    const int previous = state.selected;
    if (index != previous) {
        Select(tab, index);
    }
    return previous;
}

// Accessibility.

// The page that the tab of this index holds: the tab control's child of the same index, since
// the pages are its children in tab order.
HWND PageOfTab(HWND tab, int index) {
    return index >= 0 && index < static_cast<int>(tab->children.size())
               ? tab->children[static_cast<std::size_t>(index)]
               : nullptr;
}

// One tab: named by its label, selectable, selected while its page is shown, and holding that
// page; its action selects it as a click does.
void DescribeTab(HWND tab, int index, AccessibleObject& object) {
    const TabState& state = StateOf(tab);
    object.role = AccessibleRole::PageTab;
    object.name = state.labels[static_cast<std::size_t>(index)];
    object.states |= AccessibleState::Selectable;
    if (index == state.selected) {
        object.states |= AccessibleState::Selected;
    }
    const PixelRect strip = WindowRectInFrame(tab);
    const PixelRect rect = TabRects(tab).tabs[static_cast<std::size_t>(index)];
    object.bounds = {strip.x + rect.x, strip.y + rect.y, rect.width, rect.height};
    object.part_content = PageOfTab(tab, index);
    object.actions = {ClickAction};
}

// ^WM_GETOBJECT: part 0 is the strip, a page tab list whose parts are its tabs; parts 1 to n
// are the tabs.
LRESULT HandleGetObject(HWND tab, WPARAM part, LPARAM object_address) {
    const int count = static_cast<int>(StateOf(tab).labels.size());
    const int index = static_cast<int>(part) - 1;
    if (object_address == 0 || index >= count) {
        return FALSE;
    }
    auto& object = *reinterpret_cast<AccessibleObject*>(object_address);
    DefWindowProc(tab, WM_GETOBJECT, 0, object_address);
    if (index < 0) {
        object.role = AccessibleRole::PageTabList;
        object.part_count = count;
    } else {
        // A tab shows and is enabled as its strip does; it is not a window to focus.
        object.relations.clear();
        object.states = object.states & (AccessibleState::Visible | AccessibleState::Showing |
                                         AccessibleState::Enabled);
        DescribeTab(tab, index, object);
    }
    return TRUE;
}

// ^WM_ACCESSIBLEACTION: a tab's click selects it.
LRESULT HandleAccessibleAction(HWND tab, WPARAM part, LPARAM action) {
    const int index = static_cast<int>(part) - 1;
    if (index < 0 || index >= static_cast<int>(StateOf(tab).labels.size()) || action != 0 ||
        !tab->is_enabled()) {
        return FALSE;
    }
    ChooseTab(tab, index);
    return TRUE;
}

// Input.

LRESULT HandleMouseDown(HWND tab, LPARAM position) {
    if (!tab->is_enabled()) {
        return 0;
    }
    if ((tab->style & TCS_FOCUSNEVER) == 0) {
        SetFocus(tab);
    }
    const int x = static_cast<short>(LOWORD(static_cast<std::uintptr_t>(position)));
    const int y = static_cast<short>(HIWORD(static_cast<std::uintptr_t>(position)));
    ChooseTab(tab, TabAt(tab, x, y));
    return 0;
}

// Ctrl+Tab and Ctrl+PageDown go to the next page, Ctrl+Shift+Tab and Ctrl+PageUp to the
// previous one, round the ends; the dialog manager brings them here from wherever the
// keyboard is.
bool IsPageKey(WPARAM key) {
    return GetKeyState(VK_CONTROL) < 0 && (key == VK_TAB || key == VK_PRIOR || key == VK_NEXT);
}

void StepPage(HWND tab, WPARAM key) {
    const int count = static_cast<int>(StateOf(tab).labels.size());
    if (count <= 0) {
        return;
    }
    const bool backwards = key == VK_PRIOR || (key == VK_TAB && GetKeyState(VK_SHIFT) < 0);
    ChooseTab(tab, (StateOf(tab).selected + (backwards ? count - 1 : 1)) % count);
}

LRESULT HandleKeyDown(HWND tab, WPARAM key) {
    const int selected = StateOf(tab).selected;
    if (IsPageKey(key)) {
        StepPage(tab, key);
    } else if (key == VK_LEFT) {
        ChooseTab(tab, selected - 1);
    } else if (key == VK_RIGHT) {
        ChooseTab(tab, selected + 1);
    }
    return 0;
}

// A strip that never takes the keyboard answers as a label does, so Tab passes it by; the
// page keys it wants from anywhere, while it has pages to switch between.
LRESULT HandleGetDialogCode(HWND tab, const MSG* message) {
    if (message != nullptr && message->message == WM_KEYDOWN && IsPageKey(message->wParam) &&
        !StateOf(tab).labels.empty()) {
        return DLGC_WANTMESSAGE;
    }
    return (tab->style & TCS_FOCUSNEVER) != 0 ? DLGC_STATIC : DLGC_WANTARROWS;
}

LRESULT SendNotification(HWND tab, int code) {
    if (!IsLive(tab->parent)) {
        return 0;
    }
    NMHDR header{tab, static_cast<UINT_PTR>(tab->id), static_cast<UINT>(code)};
    return SendMessage(tab->parent, WM_NOTIFY, static_cast<WPARAM>(tab->id),
                       reinterpret_cast<LPARAM>(&header));
}

LRESULT CALLBACK TabControlProcedure(HWND tab, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT:
        return HandlePaint(tab, reinterpret_cast<HDC>(wparam));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return HandleMouseDown(tab, lparam);
    case WM_KEYDOWN:
        return HandleKeyDown(tab, wparam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        RequestPaint();
        return 0;
    case WM_GETDLGCODE:
        return HandleGetDialogCode(tab, reinterpret_cast<const MSG*>(lparam));
    case TCM_INSERTITEMA:
        return HandleInsertItem(tab, wparam, reinterpret_cast<const TCITEMA*>(lparam));
    case TCM_GETITEMCOUNT:
        return static_cast<LRESULT>(StateOf(tab).labels.size());
    case TCM_GETCURSEL:
        return StateOf(tab).selected;
    case TCM_SETCURSEL:
        return HandleSetSelection(tab, wparam);
    case WM_GETOBJECT:
        return HandleGetObject(tab, wparam, lparam);
    case WM_ACCESSIBLEACTION:
        return HandleAccessibleAction(tab, wparam, lparam);
    default:
        return DefWindowProc(tab, message, wparam, lparam);
    }
}

} // namespace

const WindowClass TabControlClass = {"SysTabControl32", TabControlProcedure, CursorShape::Arrow};

// Tabs sit side by side from two pixels in; each is its label's width plus padding. The
// selected one is raised to the top, two pixels wider on each side, and reaches into the
// body's edge: with labels "Ab" and "Cde" (text 12 and 18 px, font 13 px, second selected):
//   tab 0 {2, 2, 24, 17}, tab 1 {24, 0, 34, 21}, body {0, 19, width, height - 19}.
TabParts TabRects(HWND tab) {
    const Backend& backend = *Windows().backend;
    const FontMetrics font = backend.font_metrics();
    const TabState& state = StateOf(tab);
    const PixelRect client = ClientRect(tab);
    const int strip_height = StripHeight(font);
    const int raise = Scaled(font, 2);

    TabParts parts;
    parts.body = {client.x, client.y + strip_height, client.width, client.height - strip_height};
    int x = client.x + raise;
    for (int index = 0; index < static_cast<int>(state.labels.size()); ++index) {
        const int width =
            backend.text_width(state.labels[static_cast<std::size_t>(index)]) + Scaled(font, 12);
        if (index == state.selected) {
            parts.tabs.push_back(
                {x - raise, client.y, width + 2 * raise, strip_height + JoinDepth});
        } else {
            parts.tabs.push_back({x, client.y + raise, width, strip_height - raise});
        }
        x += width;
    }
    return parts;
}

// The selected tab lies over its neighbours, so it is tried first.
int TabAt(HWND tab, int x, int y) {
    const TabParts parts = TabRects(tab);
    const int selected = StateOf(tab).selected;
    if (selected >= 0 && parts.tabs[static_cast<std::size_t>(selected)].contains(x, y)) {
        return selected;
    }
    for (int index = 0; index < static_cast<int>(parts.tabs.size()); ++index) {
        if (parts.tabs[static_cast<std::size_t>(index)].contains(x, y)) {
            return index;
        }
    }
    return -1;
}

void ChooseTab(HWND tab, int index) {
    if (!IsLive(tab) || tab->window_class != &TabControlClass) {
        return;
    }
    TabState& state = StateOf(tab);
    if (index < 0 || index >= static_cast<int>(state.labels.size()) || index == state.selected) {
        return;
    }
    if (SendNotification(tab, TCN_SELCHANGING) != FALSE) {
        return;
    }
    // The parent may have changed the items while it was asked.
    if (!IsLive(tab) || index >= static_cast<int>(state.labels.size())) {
        return;
    }
    Select(tab, index);
    SendNotification(tab, TCN_SELCHANGE);
}
