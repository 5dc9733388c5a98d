#include "platform/accessibility/atk/atk_tree.h"

#include "platform/accessibility/atk/atk_object_type.h"

#include <map>
#include <memory>

namespace {

struct RefOrder {
    bool operator()(const AccessibleRef& a, const AccessibleRef& b) const {
        return std::less<HWND>()(a.window, b.window) || (a.window == b.window && a.part < b.part);
    }
};

// Every node made, and the live ones by their ref. The objects live as long as the program:
// assistive technology may hold any of them, and the windows live as long as the program too.
struct Nodes {
    std::vector<std::unique_ptr<AccessibleNode>> all;
    std::map<AccessibleRef, AccessibleNode*, RefOrder> by_ref;
    AccessibleNode* application = nullptr;
    AccessibleNode* gone = nullptr;
};

Nodes& TheNodes() {
    static Nodes nodes;
    return nodes;
}

AccessibleNode& NewNode(GType type, AccessibleRef ref) {
    Nodes& nodes = TheNodes();
    nodes.all.push_back(std::make_unique<AccessibleNode>());
    AccessibleNode& node = *nodes.all.back();
    node.ref = ref;
    node.object = ATK_OBJECT(g_object_new(type, nullptr));
    reinterpret_cast<KalvetraAccessible*>(node.object)->node = &node;
    atk_object_initialize(node.object, nullptr);
    return node;
}

// What assistive technology is told first: the object as it is now.
void Remember(AccessibleNode& node, const AccessibleObject& object) {
    node.states = object.states;
    node.name = object.name;
    node.text = object.text;
    node.caret = object.caret;
    node.selection_start = object.selection_start;
    node.selection_end = object.selection_end;
}

} // namespace

AccessibleNode* NodeOf(gpointer object) {
    return reinterpret_cast<KalvetraAccessible*>(object)->node;
}

AtkObject* AtkApplication() {
    Nodes& nodes = TheNodes();
    if (nodes.application == nullptr) {
        nodes.application = &NewNode(AtkApplicationType(), {});
        nodes.application->is_application = true;
    }
    return nodes.application->object;
}

AtkObject* AtkObjectFor(AccessibleRef ref) {
    Nodes& nodes = TheNodes();
    if (const auto found = nodes.by_ref.find(ref); found != nodes.by_ref.end()) {
        return found->second->object;
    }
    const std::optional<AccessibleObject> object = DescribeAccessible(ref);
    // What is gone is one defunct object, however often it is asked for.
    if (!object) {
        if (nodes.gone == nullptr) {
            nodes.gone = &NewNode(AtkTypeFor(AccessibleObject{}), {});
        }
        return nodes.gone->object;
    }
    AccessibleNode& node = NewNode(AtkTypeFor(*object), ref);
    Remember(node, *object);
    nodes.by_ref.emplace(ref, &node);
    return node.object;
}

void ForgetAtkObjects(HWND window) {
    Nodes& nodes = TheNodes();
    // A top-level window takes all with it: it alone says it is gone.
    const bool is_top_level = GetParent(window) == nullptr;
    for (auto entry = nodes.by_ref.begin(); entry != nodes.by_ref.end();) {
        if (!is_top_level && entry->first.window != window) {
            ++entry;
            continue;
        }
        AccessibleNode* node = entry->second;
        node->ref = {};
        if (!is_top_level) {
            atk_object_notify_state_change(node->object, ATK_STATE_DEFUNCT, TRUE);
        }
        entry = nodes.by_ref.erase(entry);
    }
}

std::optional<AccessibleObject> DescribeNode(const AccessibleNode& node) {
    if (node.is_application || node.ref.window == nullptr) {
        return std::nullopt;
    }
    return DescribeAccessible(node.ref);
}

std::span<const AtkStateMapping> AtkStateMappings() {
    static const AtkStateMapping mappings[] = {
        {AccessibleState::Visible, ATK_STATE_VISIBLE},
        {AccessibleState::Showing, ATK_STATE_SHOWING},
        {AccessibleState::Enabled, ATK_STATE_ENABLED},
        {AccessibleState::Enabled, ATK_STATE_SENSITIVE},
        {AccessibleState::Focusable, ATK_STATE_FOCUSABLE},
        {AccessibleState::Focused, ATK_STATE_FOCUSED},
        {AccessibleState::Checkable, ATK_STATE_CHECKABLE},
        {AccessibleState::Checked, ATK_STATE_CHECKED},
        {AccessibleState::Editable, ATK_STATE_EDITABLE},
        {AccessibleState::ReadOnly, ATK_STATE_READ_ONLY},
        {AccessibleState::SingleLine, ATK_STATE_SINGLE_LINE},
        {AccessibleState::Default, ATK_STATE_DEFAULT},
        {AccessibleState::Selectable, ATK_STATE_SELECTABLE},
        {AccessibleState::Selected, ATK_STATE_SELECTED},
        {AccessibleState::Active, ATK_STATE_ACTIVE},
    };
    return mappings;
}

AtkStateSet* AtkStatesOf(AccessibleState states, bool is_defunct) {
    AtkStateSet* set = atk_state_set_new();
    if (is_defunct) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    for (const AtkStateMapping& mapping : AtkStateMappings()) {
        if (has(states, mapping.state)) {
            atk_state_set_add_state(set, mapping.atk_state);
        }
    }
    return set;
}
