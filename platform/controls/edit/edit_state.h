#pragma once

// What the EDIT control keeps per field: the field's text, which only the control itself
// changes, its editing model (selection and undo), its limit, its scroll and whether it has
// the keyboard or is being dragged over. Nothing else holds a copy of the text: the window
// system and the program read it with WM_GETTEXT like any window's. Behaviour is
// edit_control.cpp's; looks and layout are edit_view.h's.

#include "platform/controls/edit/edit_model.h"
#include "platform/core/window.h"

#include <cstddef>
#include <string>

// The limit of typed and pasted text before EM_LIMITTEXT sets one.
constexpr std::size_t DefaultEditLimit = 32767;

struct EditState : ControlState {
    std::string text; // code page 1254
    EditModel model;
    std::size_t limit = DefaultEditLimit;
    int scroll = 0; // pixels of text scrolled out at the left (ES_AUTOHSCROLL only)
    bool is_focused = false;
    bool is_dragging = false; // the left button went down in the field and is held
};

// The field's state, made when the field is created.
EditState& EditStateOf(HWND field);
