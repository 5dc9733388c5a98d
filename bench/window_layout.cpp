#include "bench/window_layout.h"

#include "app/main_dialog.h"
#include "platform/control_classes.h"
#include "platform/sdl/measuring_backend.h"
#include "platform/tab_control.h"
#include "platform/window_system.h"

namespace {

void AddControls(HWND window, WindowLayout& layout) {
    for (Window* child : window->children) {
        if (child->id != 0 && !child->is_class("#32770"))
            layout.controls[child->id] = FrameRect(child);
        AddControls(child, layout);
    }
}

} // namespace

std::optional<WindowLayout> MeasureWindowLayout(std::string& error) {
    ResetWindows(std::make_unique<MeasuringBackend>());
    Windows().backend->font_metrics();
    error = Windows().backend->error();
    if (!error.empty()) {
        ResetWindows();
        return std::nullopt;
    }
    std::optional<WindowLayout> layout;
    // The window as the program makes it, read once it stands and before any input.
    Windows().idle_step = [&layout] {
        HWND top = Windows().main_window;
        layout.emplace();
        const PixelRect whole = FrameRect(top);
        layout->width = whole.width;
        layout->height = whole.height;
        AddControls(top, *layout);
        const PixelRect strip = FrameRect(TabHandle);
        const TabParts parts = TabRects(TabHandle);
        for (std::size_t index = 0; index < parts.tabs.size(); ++index) {
            PixelRect tab = parts.tabs[index];
            tab.x += strip.x;
            tab.y += strip.y;
            layout->tabs[static_cast<int>(index)] = tab;
        }
        return false;
    };
    RunMainWindow();
    ResetWindows();
    if (!layout)
        error = "the main window was not created";
    return layout;
}
