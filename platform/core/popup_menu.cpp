// The context menu's placement, choosing and painting.

#include "platform/core/window_system.h"
#include "platform/paint/device_context.h"

#include <algorithm>

static int ItemHeight() {
    return Windows().metrics.height + 6;
}

PixelRect PopupMenu::item_rect(int index) const {
    return {rect.x + 3, rect.y + 3 + index * ItemHeight(), rect.width - 6, ItemHeight()};
}

void OpenPopupMenu(HWND owner, int x, int y, std::vector<PopupMenuItem> items) {
    WindowSystem& system = Windows();
    if (!IsLive(owner) || items.empty()) {
        return;
    }
    int width = 0;
    for (const PopupMenuItem& item : items) {
        width = std::max(width, system.backend->text_width(item.label));
    }
    width += 2 * system.metrics.average_char_width * 3 + 6;
    int height = static_cast<int>(items.size()) * ItemHeight() + 6;
    PixelRect frame = WindowRectInFrame(system.main_window);
    x = std::clamp(x, 0, std::max(0, frame.width - width));
    y = std::clamp(y, 0, std::max(0, frame.height - height));
    system.menu = PopupMenu{owner, std::move(items), {x, y, width, height}, -1};
    RequestPaint();
}

void ClosePopupMenu() {
    Windows().menu = PopupMenu{};
    RequestPaint();
}

int MenuItemAt(int x, int y) {
    const PopupMenu& menu = Windows().menu;
    for (int index = 0; index < static_cast<int>(menu.items.size()); ++index) {
        if (menu.item_rect(index).contains(x, y) && menu.items[index].enabled) {
            return index;
        }
    }
    return -1;
}

void ChooseMenuItem(int index) {
    PopupMenu menu = Windows().menu;
    ClosePopupMenu();
    if (index < 0 || index >= static_cast<int>(menu.items.size()) || !menu.items[index].enabled) {
        return;
    }
    SendMessage(menu.owner, WM_COMMAND, MAKEWPARAM(menu.items[index].command, 0), 0);
}

bool ChoosePopupMenuItem(std::string_view label) {
    const PopupMenu& menu = Windows().menu;
    for (int index = 0; index < static_cast<int>(menu.items.size()); ++index) {
        if (menu.items[index].label == label) {
            if (!menu.items[index].enabled) {
                ClosePopupMenu();
                return true;
            }
            ChooseMenuItem(index);
            return true;
        }
    }
    return false;
}

static int NextEnabled(const PopupMenu& menu, int from, int step) {
    int count = static_cast<int>(menu.items.size());
    for (int tries = 0, index = from; tries < count; ++tries) {
        index = (index + step + count) % count;
        if (menu.items[index].enabled) {
            return index;
        }
    }
    return -1;
}

void HandleMenuKey(const InputEvent& key) {
    PopupMenu& menu = Windows().menu;
    switch (key.key) {
    case VK_ESCAPE:
        ClosePopupMenu();
        break;
    case VK_DOWN:
        menu.hot = NextEnabled(menu, menu.hot < 0 ? -1 : menu.hot, 1);
        RequestPaint();
        break;
    case VK_UP:
        menu.hot = NextEnabled(menu, menu.hot < 0 ? 0 : menu.hot, -1);
        RequestPaint();
        break;
    case VK_RETURN:
    case VK_SPACE:
        ChooseMenuItem(menu.hot);
        break;
    default:
        break;
    }
}

void PaintPopupMenu(DrawList& frame) {
    WindowSystem& system = Windows();
    const PopupMenu& menu = system.menu;
    if (!menu.is_open()) {
        return;
    }
    DeviceContext dc{&frame, system.backend.get(), 0, 0, {0, 0, frame.width, frame.height}};
    PixelRect inside = PaintRaisedEdge(&dc, menu.rect);
    PaintFill(&dc, inside, GetSysColor(COLOR_BTNFACE));
    int text_x = system.metrics.average_char_width * 3;
    for (int index = 0; index < static_cast<int>(menu.items.size()); ++index) {
        const PopupMenuItem& item = menu.items[index];
        PixelRect row = menu.item_rect(index);
        bool hot = index == menu.hot && item.enabled;
        if (hot) {
            PaintFill(&dc, row, GetSysColor(COLOR_HIGHLIGHT));
        }
        int text_y = row.y + (row.height - system.metrics.height) / 2;
        if (!item.enabled) {
            PaintText(&dc, row.x + text_x + 1, text_y + 1, item.label,
                      GetSysColor(COLOR_BTNHIGHLIGHT));
        }
        COLORREF colour = !item.enabled ? GetSysColor(COLOR_GRAYTEXT)
                          : hot         ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                        : GetSysColor(COLOR_BTNTEXT);
        PaintText(&dc, row.x + text_x, text_y, item.label, colour);
    }
}
