#include "platform/accessibility/atk/atk_events.h"

#include "platform/accessibility/atk/atk_tree.h"
#include "platform/text/codepage1254.h"

#include <algorithm>
#include <string_view>

namespace {

enum class Emit : std::uint8_t { No, Yes };

// The part of a text change that differs: before[start, start + removed) became
// after[start, start + inserted). "41 4" to "41 42": start 4, nothing removed, "2" inserted.
struct TextChange {
    std::size_t start = 0;
    std::size_t removed = 0;
    std::size_t inserted = 0;
};

TextChange Difference(std::string_view before, std::string_view after) {
    std::size_t start = 0;
    while (start < before.size() && start < after.size() && before[start] == after[start]) {
        ++start;
    }
    std::size_t end_before = before.size();
    std::size_t end_after = after.size();
    while (end_before > start && end_after > start &&
           before[end_before - 1] == after[end_after - 1]) {
        --end_before;
        --end_after;
    }
    return {start, end_before - start, end_after - start};
}

void EmitTextChange(AtkObject* object, std::string_view before, std::string_view after) {
    const TextChange change = Difference(before, after);
    const auto start = static_cast<gint>(change.start);
    if (change.removed > 0) {
        const std::string removed = CodePage1254ToUtf8(before.substr(change.start, change.removed));
        g_signal_emit_by_name(object, "text-remove", start, static_cast<gint>(change.removed),
                              removed.c_str());
    }
    if (change.inserted > 0) {
        const std::string inserted =
            CodePage1254ToUtf8(after.substr(change.start, change.inserted));
        g_signal_emit_by_name(object, "text-insert", start, static_cast<gint>(change.inserted),
                              inserted.c_str());
    }
}

void EmitStateChanges(AccessibleNode& node, const AccessibleObject& now) {
    for (const AtkStateMapping& mapping : AtkStateMappings()) {
        const bool was = has(node.states, mapping.state);
        const bool is = has(now.states, mapping.state);
        if (was != is) {
            atk_object_notify_state_change(node.object, mapping.atk_state, is);
        }
    }
    const bool was_active = has(node.states, AccessibleState::Active);
    const bool is_active = has(now.states, AccessibleState::Active);
    if (now.role == AccessibleRole::Dialog && was_active != is_active) {
        g_signal_emit_by_name(node.object, is_active ? "activate" : "deactivate");
    }
}

// Asks the object what it is now, signals what changed since it was last told (unless
// told not to), and remembers it.
void Refresh(AccessibleNode& node, Emit emit) {
    const std::optional<AccessibleObject> now = DescribeNode(node);
    if (!now) {
        return;
    }
    if (emit == Emit::Yes) {
        EmitStateChanges(node, *now);
        if (now->name != node.name) {
            g_object_notify(G_OBJECT(node.object), "accessible-name");
        }
        if (now->has_text && now->text != node.text) {
            EmitTextChange(node.object, node.text, now->text);
        }
        if (now->has_text && now->caret != node.caret) {
            g_signal_emit_by_name(node.object, "text-caret-moved", static_cast<gint>(now->caret));
        }
        if (now->has_text && (now->selection_start != node.selection_start ||
                              now->selection_end != node.selection_end)) {
            g_signal_emit_by_name(node.object, "text-selection-changed");
        }
    }
    node.states = now->states;
    node.name = now->name;
    node.text = now->text;
    node.caret = now->caret;
    node.selection_start = now->selection_start;
    node.selection_end = now->selection_end;
}

AccessibleNode& NodeFor(AccessibleRef ref) {
    return *NodeOf(AtkObjectFor(ref));
}

// Makes the objects of a subtree, or brings what they remember up to date.
void RefreshTree(AccessibleRef ref, Emit emit) {
    Refresh(NodeFor(ref), emit);
    for (const AccessibleRef& child : AccessibleChildren(ref)) {
        RefreshTree(child, emit);
    }
}

// The object that assistive technology was last told has the keyboard.
AccessibleNode*& Focused() {
    static AccessibleNode* focused = nullptr;
    return focused;
}

void MoveFocusTo(AccessibleNode& node) {
    AccessibleNode*& focused = Focused();
    if (focused != nullptr && focused != &node) {
        Refresh(*focused, Emit::Yes);
    }
    focused = &node;
    Refresh(node, Emit::Yes);
}

// A page shown or hidden: it says so; what lies in it shows or hides along, unsaid.
void ShowOrHide(HWND window) {
    Refresh(NodeFor({window, 0}), Emit::Yes);
    for (const AccessibleRef& child : AccessibleChildren({window, 0})) {
        RefreshTree(child, Emit::No);
    }
}

// A tab strip's selection: each tab says whether it is selected, then the strip that its
// selection changed.
void SelectionChanged(HWND strip) {
    for (const AccessibleRef& tab : AccessibleChildren({strip, 0})) {
        Refresh(NodeFor(tab), Emit::Yes);
    }
    g_signal_emit_by_name(AtkObjectFor({strip, 0}), "selection-changed");
}

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG child, DWORD, DWORD) {
    if (window == nullptr) {
        return;
    }
    switch (event) {
    case EVENT_OBJECT_DESTROY:
        // A node that is forgotten stays, defunct: the focus may still point at it.
        if (GetParent(window) == nullptr) {
            g_signal_emit_by_name(AtkObjectFor({window, 0}), "destroy");
        }
        ForgetAtkObjects(window);
        break;
    case EVENT_OBJECT_FOCUS:
        MoveFocusTo(NodeFor({window, static_cast<int>(child)}));
        break;
    case EVENT_OBJECT_SHOW:
    case EVENT_OBJECT_HIDE:
        ShowOrHide(window);
        break;
    case EVENT_OBJECT_SELECTION:
        SelectionChanged(window);
        break;
    default:
        Refresh(NodeFor({window, static_cast<int>(child)}), Emit::Yes);
        break;
    }
}

} // namespace

void StartAtkEvents() {
    AtkObject* application = AtkApplication();
    const gint windows = atk_object_get_n_accessible_children(application);
    for (gint index = 0; index < windows; ++index) {
        AtkObject* top = atk_object_ref_accessible_child(application, index);
        RefreshTree(NodeOf(top)->ref, Emit::No);
        g_object_unref(top);
    }
    SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
}

void AnnounceActiveWindow() {
    AtkObject* application = AtkApplication();
    const gint windows = atk_object_get_n_accessible_children(application);
    for (gint index = 0; index < windows; ++index) {
        AtkObject* top = atk_object_ref_accessible_child(application, index);
        if (has(NodeOf(top)->states, AccessibleState::Active)) {
            g_signal_emit_by_name(top, "activate");
        }
        g_object_unref(top);
    }
    if (HWND focus = GetFocus()) {
        AccessibleNode& focused = NodeFor({focus, 0});
        Focused() = &focused;
        atk_object_notify_state_change(focused.object, ATK_STATE_FOCUSED, TRUE);
    }
}
