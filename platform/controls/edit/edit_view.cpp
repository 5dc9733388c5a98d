#include "platform/controls/edit/edit_view.h"

#include "platform/core/window_system.h"
#include "platform/paint/device_context.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int ClientEdgeWidth = 2; // PaintSunkenEdge's two rings
constexpr int TextMargin = 2;      // between the edge and the text, each side

int MeasuredWidth(std::string_view text) {
    return Windows().backend->text_width(text);
}

} // namespace

// A text too wide for the field (only WM_SETTEXT or a scrolling field can hold one) starts
// at the left margin whatever the alignment, scrolled by the field's offset.
EditLayout LayOutEdit(HWND field) {
    EditLayout layout;
    const PixelRect client = ClientRect(field);
    layout.inner =
        (field->ex_style & WS_EX_CLIENTEDGE) != 0 ? client.inset(ClientEdgeWidth) : client;
    layout.text_area = {layout.inner.x + TextMargin, layout.inner.y,
                        layout.inner.width - 2 * TextMargin, layout.inner.height};
    layout.line_height = Windows().metrics.height;
    layout.text_y = layout.inner.y + (layout.inner.height - layout.line_height) / 2;

    const int width = MeasuredWidth(EditStateOf(field).text);
    const int room = layout.text_area.width - width;
    layout.text_x = layout.text_area.x;
    if (room < 0) {
        layout.text_x -= EditStateOf(field).scroll;
    } else if ((field->style & ES_CENTER) != 0) {
        layout.text_x += room / 2;
    } else if ((field->style & ES_RIGHT) != 0) {
        layout.text_x += room;
    }
    return layout;
}

int OffsetToX(HWND field, const EditLayout& layout, std::size_t position) {
    const std::string_view text = EditStateOf(field).text;
    return layout.text_x + MeasuredWidth(text.substr(0, std::min(position, text.size())));
}

std::size_t OffsetAtX(HWND field, int x) {
    const EditLayout layout = LayOutEdit(field);
    std::size_t nearest = 0;
    int nearest_distance = std::abs(layout.text_x - x);
    const std::size_t length = EditStateOf(field).text.size();
    for (std::size_t position = 1; position <= length; ++position) {
        const int distance = std::abs(OffsetToX(field, layout, position) - x);
        if (distance < nearest_distance) {
            nearest = position;
            nearest_distance = distance;
        }
    }
    return nearest;
}

bool FitsVisibleWidth(HWND field, std::string_view text) {
    return MeasuredWidth(text) <= LayOutEdit(field).text_area.width;
}

void ScrollCaretIntoView(HWND field) {
    EditState& state = EditStateOf(field);
    if ((field->style & ES_AUTOHSCROLL) == 0) {
        state.scroll = 0;
        return;
    }
    const int visible = LayOutEdit(field).text_area.width;
    const int overflow = MeasuredWidth(state.text) - visible;
    const int caret_x = MeasuredWidth(std::string_view(state.text).substr(0, state.model.caret()));
    int scroll = state.scroll;
    scroll = std::min(scroll, caret_x);
    scroll = std::max(scroll, caret_x - visible);
    // No empty room is left at the right while text lies hidden at the left.
    state.scroll = std::clamp(scroll, 0, std::max(overflow, 0));
}

namespace {

// One run of text from first to last (byte offsets), in its colour, clipped to the area.
void PaintRun(HWND field, HDC dc, const EditLayout& layout, EditRange run, COLORREF colour) {
    if (run.is_empty()) {
        return;
    }
    const std::string piece = EditStateOf(field).text.substr(run.start, run.length());
    PaintTextClipped(dc, OffsetToX(field, layout, run.start), layout.text_y, piece, colour,
                     layout.text_area);
}

} // namespace

// The selection shows only while the field has the focus; so does the caret, in its
// visible blink phase.
void PaintEdit(HWND field, HDC dc) {
    const EditState& state = EditStateOf(field);
    PixelRect inner = ClientRect(field);
    if ((field->ex_style & WS_EX_CLIENTEDGE) != 0) {
        inner = PaintSunkenEdge(dc, inner);
    }
    const bool is_editable = (field->style & ES_READONLY) == 0 && field->is_enabled();
    PaintFill(dc, inner, GetSysColor(is_editable ? COLOR_WINDOW : COLOR_BTNFACE));

    const EditLayout layout = LayOutEdit(field);
    const COLORREF text_colour =
        GetSysColor(field->is_enabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    const std::size_t length = state.text.size();
    const EditRange selection = state.is_focused ? state.model.selection() : EditRange{};

    PaintRun(field, dc, layout, {0, selection.start}, text_colour);
    if (!selection.is_empty()) {
        const int left = OffsetToX(field, layout, selection.start);
        const int right = OffsetToX(field, layout, selection.end);
        const PixelRect band{left, layout.text_y, right - left, layout.line_height};
        PaintFill(dc, band.intersected(layout.text_area), GetSysColor(COLOR_HIGHLIGHT));
        PaintRun(field, dc, layout, selection, GetSysColor(COLOR_HIGHLIGHTTEXT));
    }
    PaintRun(field, dc, layout, {selection.end, length}, text_colour);

    if (state.is_focused && IsCaretShown(field)) {
        const PixelRect caret{OffsetToX(field, layout, state.model.caret()), layout.text_y, 1,
                              layout.line_height};
        PaintFill(dc, caret.intersected(layout.inner), GetSysColor(COLOR_WINDOWTEXT));
    }
}
