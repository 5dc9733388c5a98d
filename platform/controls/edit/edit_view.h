#pragma once

// How a field looks on screen: where its text lies in the window (edge, margins, alignment,
// horizontal scroll), which text offset a pixel falls on, whether a text fits the visible
// width, and the painting. Paint and the mouse share one layout function. The message
// handling is edit_control.cpp's; the field's state is edit_state.h's.

#include "platform/controls/edit/edit_state.h"

#include <cstddef>
#include <string_view>

struct EditLayout {
    PixelRect inner;     // inside the client edge: the background
    PixelRect text_area; // inside the margins: where text shows
    int text_x = 0;      // where offset 0 of the text is drawn, after alignment and scroll
    int text_y = 0;      // the top of the line, centred vertically
    int line_height = 0;
};

EditLayout LayOutEdit(HWND field);
// The x at which the caret stands before the byte at position.
int OffsetToX(HWND field, const EditLayout& layout, std::size_t position);
// The character boundary nearest to x (in the field's own pixels).
std::size_t OffsetAtX(HWND field, int x);
// Whether text shows whole between the margins: the bound of a field without
// ES_AUTOHSCROLL.
bool FitsVisibleWidth(HWND field, std::string_view text);
// With ES_AUTOHSCROLL, scrolls just enough that the caret is in view; else nothing.
void ScrollCaretIntoView(HWND field);

void PaintEdit(HWND field, HDC dc);
