#pragma once

// The context menu: one open at a time, drawn over the window, chosen by mouse or keys.
// While it is open the input dispatch gives it every key and click; the chosen item reaches
// the owner as WM_COMMAND with the item's command id. The items and their words are the
// owner's.

#include "platform/backends/backend.h"
#include "platform/win/windows_api.h"

#include <string>
#include <vector>

struct PopupMenuItem {
    int command;       // sent to the owner as WM_COMMAND with this id
    std::string label; // code page 1254
    bool enabled;
};

struct PopupMenu {
    HWND owner = nullptr;
    std::vector<PopupMenuItem> items;
    PixelRect rect; // in frame pixels
    int hot = -1;   // the item under the pointer or chosen by arrow keys

    bool is_open() const { return owner != nullptr; }
    PixelRect item_rect(int index) const;
};

void OpenPopupMenu(HWND owner, int x, int y, std::vector<PopupMenuItem> items);
void ClosePopupMenu();
// Chooses an open menu's item by its label, as a click on it; false if it is not there.
bool ChoosePopupMenuItem(std::string_view label);
int MenuItemAt(int x, int y); // -1 where there is no enabled item
void ChooseMenuItem(int index);
void HandleMenuKey(const InputEvent& key);
void PaintPopupMenu(DrawList& frame);
