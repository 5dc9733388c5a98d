// kalvetra-positions: where a user finds each part of the real window, for the end-to-end
// tests that click it with xdotool. It builds the real main window with the font of the X
// display it runs on (so at that display's scale), on a backend that opens no window, and
// prints one line per target: NAME X Y WIDTH HEIGHT KIND in pixels of the window's client
// area, X and Y being the target's centre, KIND a control's class ("EDIT", "BUTTON", ...) or
// "tab" or "menu". Targets:
//   2006                 a control, by its id
//   tab:1@0              tab 1 while tab 0 is selected
//   menu:4016:Yapıştır   an item of the context menu that a right click on the centre of
//                        field 4016 opens (UTF-8 label, spaces as "_")
// It acts on nothing real; what the tests do with the positions is theirs.

#include "app/main_dialog.h"
#include "platform/backends/sdl/measuring_backend.h"
#include "platform/controls/control_classes.h"
#include "platform/controls/tab_control.h"
#include "platform/core/window_system.h"
#include "platform/platform.h"
#include "platform/text/codepage1254.h"
#include "resources/program_resources.h"
#include "testing/simulated_user.h"

#include <cstdio>
#include <string>

namespace {

void PrintTarget(const std::string& name, const PixelRect& rect, const char* kind) {
    std::printf("%s %d %d %d %d %s\n", name.c_str(), rect.x + rect.width / 2,
                rect.y + rect.height / 2, rect.width, rect.height, kind);
}

void PrintControls(HWND window) {
    for (Window* child : window->children) {
        if ((child->ex_style & WS_EX_CONTROLPARENT) == 0 && child->id != 0) {
            PrintTarget(std::to_string(child->id), WindowRectInFrame(child),
                        child->window_class->name);
        }
        PrintControls(child);
    }
}

void PrintTabs() {
    const PixelRect origin = WindowRectInFrame(TabHandle);
    for (int selected = 0; selected < PageCount; ++selected) {
        ChooseTab(TabHandle, selected);
        const TabParts parts = TabRects(TabHandle);
        for (std::size_t index = 0; index < parts.tabs.size(); ++index) {
            PixelRect tab = parts.tabs[index];
            tab.x += origin.x;
            tab.y += origin.y;
            PrintTarget("tab:" + std::to_string(index) + "@" + std::to_string(selected), tab,
                        "tab");
        }
    }
    ChooseTab(TabHandle, 0);
}

std::string MenuLabel(std::string_view label) {
    std::string utf8 = CodePage1254ToUtf8(label);
    for (char& character : utf8) {
        if (character == ' ') {
            character = '_';
        }
    }
    return utf8;
}

// The menu opens at the pointer, so its items lie where the right click on the field's
// centre puts them; the page holding the field is shown first, as it is for a user.
void PrintMenusOf(HWND window) {
    for (Window* child : window->children) {
        if (SendMessage(child, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
            for (int page = 0; page < PageCount; ++page) {
                if (PageHandles[page] == child->parent) {
                    ChooseTab(TabHandle, page);
                }
            }
            RightClickControl(child);
            const PopupMenu& menu = Windows().menu;
            for (int index = 0; index < static_cast<int>(menu.items.size()); ++index) {
                PrintTarget("menu:" + std::to_string(child->id) + ":" +
                                MenuLabel(menu.items[static_cast<std::size_t>(index)].label),
                            menu.item_rect(index), "menu");
            }
            ClosePopupMenu();
        }
        PrintMenusOf(child);
    }
}

} // namespace

int main() {
    StartWindowSystem(std::make_unique<MeasuringBackend>(), &ProgramResources);
    // Without the display's font every position would be wrong; say so rather than guess.
    Windows().backend->font_metrics();
    if (const std::string error = Windows().backend->error(); !error.empty()) {
        std::fprintf(stderr, "kalvetra-positions: %s\n", error.c_str());
        return 1;
    }
    bool printed = false;
    Windows().idle_step = [&printed] {
        HWND top = Windows().main_window;
        PrintTarget("window", WindowRectInFrame(top), top->window_class->name);
        PrintControls(top);
        PrintTabs();
        PrintMenusOf(top);
        printed = true;
        return false;
    };
    RunMainWindow();
    if (!printed) {
        std::fprintf(stderr, "kalvetra-positions: the main window was not created\n");
        return 1;
    }
    return 0;
}
