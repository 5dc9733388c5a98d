#include "platform/accessibility/accessible_tree.h"

#include "platform/core/window_system.h"

#include <algorithm>

namespace {

bool Encloses(const PixelRect& outer, const PixelRect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

std::vector<HWND> ChildWindows(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

struct Frame {
    HWND window;
    PixelRect bounds;
};

// The children of a window that are frames around their siblings (group boxes).
std::vector<Frame> FramesAmong(const std::vector<HWND>& windows) {
    std::vector<Frame> frames;
    for (HWND window : windows) {
        const std::optional<AccessibleObject> object = DescribeAccessible({window, 0});
        if (object && object->holds_siblings) {
            frames.push_back({window, object->bounds});
        }
    }
    return frames;
}

// The frame among its siblings that holds the window; null when none does.
HWND HoldingFrame(HWND window, const std::vector<Frame>& frames) {
    if (std::any_of(frames.begin(), frames.end(),
                    [window](const Frame& frame) { return frame.window == window; })) {
        return nullptr;
    }
    const PixelRect bounds = WindowRectInFrame(window);
    for (const Frame& frame : frames) {
        if (Encloses(frame.bounds, bounds)) {
            return frame.window;
        }
    }
    return nullptr;
}

void SelectRange(HWND field, std::size_t start, std::size_t end) {
    SendMessage(field, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

// Offsets as EM_SETSEL takes them: past the text is the end of the text.
std::size_t Clamped(HWND field, std::size_t offset) {
    return std::min(offset, static_cast<std::size_t>(GetWindowTextLength(field)));
}

} // namespace

std::optional<AccessibleObject> DescribeAccessible(AccessibleRef ref) {
    AccessibleObject object;
    if (!IsLive(ref.window) || !SendMessage(ref.window, WM_GETOBJECT, static_cast<WPARAM>(ref.part),
                                            reinterpret_cast<LPARAM>(&object))) {
        return std::nullopt;
    }
    return object;
}

std::vector<AccessibleRef> AccessibleChildren(AccessibleRef ref) {
    const std::optional<AccessibleObject> object = DescribeAccessible(ref);
    std::vector<AccessibleRef> children;
    if (!object) {
        return children;
    }
    if (ref.part != 0) {
        if (object->part_content != nullptr) {
            children.push_back({object->part_content, 0});
        }
        return children;
    }
    if (object->part_count > 0) {
        for (int part = 1; part <= object->part_count; ++part) {
            children.push_back({ref.window, part});
        }
        return children;
    }
    if (object->holds_siblings) {
        HWND parent = GetParent(ref.window);
        const std::vector<HWND> siblings =
            parent != nullptr ? ChildWindows(parent) : std::vector<HWND>{};
        const std::vector<Frame> frames = FramesAmong(siblings);
        for (HWND sibling : siblings) {
            if (HoldingFrame(sibling, frames) == ref.window) {
                children.push_back({sibling, 0});
            }
        }
        return children;
    }
    const std::vector<HWND> windows = ChildWindows(ref.window);
    const std::vector<Frame> frames = FramesAmong(windows);
    for (HWND child : windows) {
        if (HoldingFrame(child, frames) == nullptr) {
            children.push_back({child, 0});
        }
    }
    return children;
}

std::optional<AccessibleRef> AccessibleParent(AccessibleRef ref) {
    if (!IsLive(ref.window)) {
        return std::nullopt;
    }
    if (ref.part != 0) {
        return AccessibleRef{ref.window, 0};
    }
    HWND parent = GetParent(ref.window);
    if (parent == nullptr) {
        return std::nullopt;
    }
    const std::optional<AccessibleObject> parent_object = DescribeAccessible({parent, 0});
    for (int part = 1; parent_object && part <= parent_object->part_count; ++part) {
        const std::optional<AccessibleObject> object = DescribeAccessible({parent, part});
        if (object && object->part_content == ref.window) {
            return AccessibleRef{parent, part};
        }
    }
    if (HWND frame = HoldingFrame(ref.window, FramesAmong(ChildWindows(parent)))) {
        return AccessibleRef{frame, 0};
    }
    return AccessibleRef{parent, 0};
}

bool DoAccessibleAction(AccessibleRef ref, int action) {
    return action >= 0 && IsLive(ref.window) &&
           SendMessage(ref.window, WM_ACCESSIBLEACTION, static_cast<WPARAM>(ref.part),
                       static_cast<LPARAM>(action)) != FALSE;
}

void InsertAccessibleText(HWND field, std::size_t position,
                          const std::optional<std::string>& text) {
    const std::size_t at = Clamped(field, position);
    SelectRange(field, at, at);
    PasteText(field, text);
}

void ReplaceAccessibleText(HWND field, const std::optional<std::string>& text) {
    SelectRange(field, 0, static_cast<std::size_t>(GetWindowTextLength(field)));
    // An empty paste changes nothing; emptying the field is deleting its text.
    if (text && text->empty()) {
        SendMessage(field, WM_CLEAR, 0, 0);
    } else {
        PasteText(field, text);
    }
}

void DeleteAccessibleText(HWND field, std::size_t start, std::size_t end) {
    SelectAccessibleText(field, start, end);
    SendMessage(field, WM_CLEAR, 0, 0);
}

void CopyAccessibleText(HWND field, std::size_t start, std::size_t end) {
    SelectAccessibleText(field, start, end);
    SendMessage(field, WM_COPY, 0, 0);
}

void CutAccessibleText(HWND field, std::size_t start, std::size_t end) {
    SelectAccessibleText(field, start, end);
    SendMessage(field, WM_CUT, 0, 0);
}

void PasteAccessibleText(HWND field, std::size_t position) {
    const std::size_t at = Clamped(field, position);
    SelectRange(field, at, at);
    SendMessage(field, WM_PASTE, 0, 0);
}

void SelectAccessibleText(HWND field, std::size_t start, std::size_t end) {
    SelectRange(field, Clamped(field, start), Clamped(field, end));
}
