#pragma once

// What a window tells assistive technology about itself when asked with WM_GETOBJECT: its
// role, name and states, its text with the caret and the selection, what it can do, which
// labels name it, and how its parts and neighbours make up the tree a screen reader walks.
// Each control class fills it in its own window procedure, after DefWindowProc has filled
// what every window shares. It is plain data in code page 1254: nothing here knows a
// screen reader, a bus or a toolkit; platform/accessibility/atk/ speaks to them.

#include "platform/paint/draw_list.h"
#include "platform/win/windows_api.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class AccessibleRole : std::uint8_t {
    Dialog,      // a top-level dialog
    Panel,       // a page, a group box
    PageTabList, // a tab strip
    PageTab,     // one tab of it
    Label,
    Entry, // a single-line field
    PushButton,
    CheckBox,
    Link,
    Image,
};

enum class AccessibleState : std::uint32_t {
    None = 0,
    Visible = 1u << 0, // shown itself, whether or not its ancestors are
    Showing = 1u << 1, // on the screen: it and every ancestor shown
    Enabled = 1u << 2,
    Focusable = 1u << 3,
    Focused = 1u << 4,
    Checkable = 1u << 5,
    Checked = 1u << 6,
    Editable = 1u << 7,
    ReadOnly = 1u << 8,
    SingleLine = 1u << 9,
    Default = 1u << 10, // the push button that Enter presses
    Selectable = 1u << 11,
    Selected = 1u << 12,
    Active = 1u << 13, // a top-level window that has the desktop's keyboard
};
constexpr AccessibleState operator|(AccessibleState a, AccessibleState b) {
    return static_cast<AccessibleState>(static_cast<std::uint32_t>(a) |
                                        static_cast<std::uint32_t>(b));
}
constexpr AccessibleState operator&(AccessibleState a, AccessibleState b) {
    return static_cast<AccessibleState>(static_cast<std::uint32_t>(a) &
                                        static_cast<std::uint32_t>(b));
}
constexpr AccessibleState& operator|=(AccessibleState& a, AccessibleState b) {
    return a = a | b;
}
constexpr bool has(AccessibleState set, AccessibleState state) {
    return (static_cast<std::uint32_t>(set) & static_cast<std::uint32_t>(state)) != 0;
}

enum class AccessibleRelationType : std::uint8_t { LabelFor, LabelledBy };

struct AccessibleRelation {
    AccessibleRelationType type;
    HWND target;
    bool operator==(const AccessibleRelation&) const = default;
};

// How eagerly a change of the text is told to the user when the keyboard is elsewhere.
enum class AccessibleLive : std::uint8_t { Off, Polite };

// The one action that buttons, check boxes, links and tabs have: what a click does.
constexpr char ClickAction[] = "click";

struct AccessibleObject {
    AccessibleRole role = AccessibleRole::Panel;
    std::string name;
    std::string description;
    AccessibleState states = AccessibleState::None;
    PixelRect bounds; // in the frame's pixels

    // Fields and labels have text; the caret and the selection are byte offsets in it.
    bool has_text = false;
    std::string text;
    std::size_t caret = 0;
    std::size_t selection_start = 0;
    std::size_t selection_end = 0;

    // What WM_ACCESSIBLEACTION can do, by index.
    std::vector<const char*> actions;
    std::vector<AccessibleRelation> relations;
    AccessibleLive live = AccessibleLive::Off;

    // The tree. A window's children are its child windows, except that a window with parts
    // has its parts instead (a tab strip: its tabs, each holding its page, part_content), and
    // a frame around siblings (a group box, holds_siblings) has as children the siblings that
    // lie inside it, which its parent then does not list.
    int part_count = 0;
    HWND part_content = nullptr;
    bool holds_siblings = false;
};
