// Paints the whole window tree into the frame's draw list, parents before children and
// siblings in template order, each clipped to itself and its ancestors; the open menu last.

#include "platform/core/window_system.h"
#include "platform/paint/device_context.h"

static void PaintTree(HWND window, PixelRect rect, DrawList& frame, PixelRect clip) {
    if (!window->is_visible()) {
        return;
    }
    PixelRect visible = rect.intersected(clip);
    if (visible.is_empty()) {
        return;
    }
    WindowSystem& system = Windows();
    DeviceContext dc{&frame, system.backend.get(), rect.x, rect.y, visible};
    dc.text_colour = GetSysColor(COLOR_BTNTEXT);
    SendMessage(window, WM_PAINT, reinterpret_cast<WPARAM>(&dc), 0);
    // The procedure may have destroyed or hidden windows while painting; copy the list.
    std::vector<Window*> children = window->children;
    for (Window* child : children) {
        if (IsLive(child)) {
            PaintTree(child, ChildRectInFrame(child, rect), frame, visible);
        }
    }
}

void PaintWindowTree() {
    WindowSystem& system = Windows();
    system.needs_paint = false;
    DrawList& frame = system.frame;
    frame.clear();
    HWND top = system.main_window;
    if (!IsLive(top)) {
        return;
    }
    PixelRect whole = WindowRectInFrame(top);
    frame.width = whole.width;
    frame.height = whole.height;
    PaintTree(top, whole, frame, whole);
    PaintPopupMenu(frame);
}
