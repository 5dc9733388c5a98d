#pragma once

// The accessible tree as ATK sees it: one AtkObject for each object of the tree
// (accessible_tree.h), made when first asked for and kept while its window lives, under an
// application object that holds the top-level windows. Each remembers what it last told
// assistive technology (states, name, text, caret), so that an event can say what changed.
// The objects' behaviour is atk_object_type.cpp's; which events go out is atk_events.cpp's.

#include "platform/accessibility/accessible_tree.h"

#include <atk/atk.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

struct AccessibleNode {
    AccessibleRef ref; // window null: the application, or a window that is gone
    bool is_application = false;
    AtkObject* object = nullptr;

    // What assistive technology was last told.
    AccessibleState states = AccessibleState::None;
    std::string name; // UTF-8
    std::string text; // code page 1254
    std::size_t caret = 0;
    std::size_t selection_start = 0;
    std::size_t selection_end = 0;

    // Strings that ATK borrows from get_name and the like, kept until the next call.
    std::string name_utf8;
    std::string description_utf8;
};

// The GObject instance of every object: an AtkObject that knows its node.
struct KalvetraAccessible {
    AtkObject parent;
    AccessibleNode* node;
};

AccessibleNode* NodeOf(gpointer object);
// The object that stands for ref, made the first time; the tree keeps its reference.
AtkObject* AtkObjectFor(AccessibleRef ref);
AtkObject* AtkApplication();
// A window is gone: its objects become defunct and are no longer found by their ref; a
// top-level window takes every object with it, without a word for each.
void ForgetAtkObjects(HWND window);

// What the object says now, with its states as ATK knows them; nullopt when it is gone.
std::optional<AccessibleObject> DescribeNode(const AccessibleNode& node);

// Our states and ATK's: one of ours may stand for more than one of ATK's.
struct AtkStateMapping {
    AccessibleState state;
    AtkStateType atk_state;
};
std::span<const AtkStateMapping> AtkStateMappings();
AtkStateSet* AtkStatesOf(AccessibleState states, bool is_defunct);
