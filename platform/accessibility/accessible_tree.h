#pragma once

// The tree that assistive technology walks, built from the windows' own answers: each object
// is a window or one part of it (a tab of a tab strip), described by WM_GETOBJECT and acted
// on through the same messages that the user's input sends. Nothing here tests a class or
// knows a toolkit: the bridge to the desktop's screen readers (atk/) and the tests both walk
// it this way, on any backend.

#include "platform/accessibility/accessible_object.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// A window, or one of its parts (1 for the first; 0 is the window itself).
struct AccessibleRef {
    HWND window = nullptr;
    int part = 0;
    bool operator==(const AccessibleRef&) const = default;
};

// What the object says of itself; nullopt for a window that is gone or does not answer.
std::optional<AccessibleObject> DescribeAccessible(AccessibleRef ref);
std::vector<AccessibleRef> AccessibleChildren(AccessibleRef ref);
// nullopt for a top-level window.
std::optional<AccessibleRef> AccessibleParent(AccessibleRef ref);
// Performs the object's action of this index as the user's click would; false without one.
bool DoAccessibleAction(AccessibleRef ref, int action);

// A field's text changed by assistive technology, each through the field's own messages and
// so under the rules of the user's own editing: an insertion or a replacement of the whole
// text is a paste of that text at that place (nullopt: a text that code page 1254 cannot
// hold), so a field that checks or refuses pastes checks or refuses it; a deletion is a
// deletion of the selected range. Offsets past the text mean its end.
void InsertAccessibleText(HWND field, std::size_t position, const std::optional<std::string>& text);
void ReplaceAccessibleText(HWND field, const std::optional<std::string>& text);
void DeleteAccessibleText(HWND field, std::size_t start, std::size_t end);
// The clipboard commands on a range: what Ctrl+C, Ctrl+X and Ctrl+V do with it selected.
void CopyAccessibleText(HWND field, std::size_t start, std::size_t end);
void CutAccessibleText(HWND field, std::size_t start, std::size_t end);
void PasteAccessibleText(HWND field, std::size_t position);
// Places the caret, or selects a range, as EM_SETSEL does.
void SelectAccessibleText(HWND field, std::size_t start, std::size_t end);
