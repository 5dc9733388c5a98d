// What every window tells assistive technology about itself (WM_GETOBJECT in DefWindowProc):
// its name, description, states, rectangle and the labels that name it or that it names.
// Roles, text and actions are the classes' own.

#include "platform/core/window_system.h"

#include <algorithm>

namespace {

std::string TextOf(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLength(window)), '\0');
    const LRESULT copied =
        SendMessage(window, WM_GETTEXT, text.size() + 1, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return text;
}

bool IsLabelledBy(HWND window, int label_id) {
    return label_id != 0 &&
           std::find(std::begin(window->labelled_by), std::end(window->labelled_by), label_id) !=
               std::end(window->labelled_by);
}

// Labels are the window's siblings, named by id in its naming; the labels it is named by,
// and the siblings that name it as their label.
void AddRelations(HWND window, AccessibleObject& object) {
    HWND parent = window->parent;
    if (parent == nullptr) {
        return;
    }
    for (int label_id : window->labelled_by) {
        if (HWND label = label_id != 0 ? GetDlgItem(parent, label_id) : nullptr) {
            object.relations.push_back({AccessibleRelationType::LabelledBy, label});
        }
    }
    for (Window* sibling : parent->children) {
        if (sibling != window && IsLabelledBy(sibling, window->id)) {
            object.relations.push_back({AccessibleRelationType::LabelFor, sibling});
        }
    }
}

// The naming's name, else the first label's text, else the window's caption (a field's
// content is not its name: a field keeps its text in its own state, not as a caption).
std::string NameOf(HWND window) {
    if (!window->accessible_name.empty()) {
        return window->accessible_name;
    }
    if (window->parent != nullptr && window->labelled_by[0] != 0) {
        if (HWND label = GetDlgItem(window->parent, window->labelled_by[0])) {
            return TextOf(label);
        }
    }
    return window->text;
}

} // namespace

LRESULT DescribeWindow(HWND window, AccessibleObject& object) {
    object.name = NameOf(window);
    object.description = window->accessible_description;
    object.bounds = WindowRectInFrame(window);
    if (window->is_visible()) {
        object.states |= AccessibleState::Visible;
    }
    if (IsShown(window)) {
        object.states |= AccessibleState::Showing;
    }
    if (window->is_enabled()) {
        object.states |= AccessibleState::Enabled;
    }
    if (TakesFocus(window)) {
        object.states |= AccessibleState::Focusable;
    }
    if (GetFocus() == window) {
        object.states |= AccessibleState::Focused;
    }
    AddRelations(window, object);
    return TRUE;
}
