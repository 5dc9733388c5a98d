#include "bench/window_layout.h"

#include "app/main_dialog.h"
#include "platform/backends/sdl/measuring_backend.h"
#include "platform/controls/control_classes.h"
#include "platform/controls/tab_control.h"
#include "platform/core/window_system.h"
#include "platform/platform.h"
#include "resources/program_resources.h"

namespace {

void AddControls(HWND window, WindowLayout& layout) {
    for (Window* child : window->children) {
        if (child->id != 0 && (child->ex_style & WS_EX_CONTROLPARENT) == 0)
            layout.controls[child->id] = WindowRectInFrame(child);
        AddControls(child, layout);
    }
}

} // namespace

std::optional<WindowLayout> MeasureWindowLayout(std::string& error) {
    StartWindowSystem(std::make_unique<MeasuringBackend>(), &ProgramResources);
    Windows().backend->font_metrics();
    error = Windows().backend->error();
    if (!error.empty()) {
        StopWindowSystem();
        return std::nullopt;
    }
    std::optional<WindowLayout> layout;
    // The window as the program makes it, read once it stands and before any input.
    Windows().idle_step = [&layout] {
        HWND top = Windows().main_window;
        layout.emplace();
        const PixelRect whole = WindowRectInFrame(top);
        layout->width = whole.width;
        layout->height = whole.height;
        AddControls(top, *layout);
        const PixelRect strip = WindowRectInFrame(TabHandle);
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
    StopWindowSystem();
    if (!layout)
        error = "the main window was not created";
    return layout;
}
