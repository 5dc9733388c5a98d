// The accessible tree of the real main window, walked as a screen reader's bridge walks it
// (accessible_tree.h) on the headless backend: what each page holds, names that tell every
// control with the keyboard apart, labels and fields naming each other, states that follow
// the controls, and actions that do what a click does.

#include "main_window_fixture.h"

#include "pages/convert_page.h"
#include "pages/logic_page.h"
#include "pages/math_page.h"
#include "platform/accessibility/accessible_tree.h"
#include "testing/simulated_desktop.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

struct Node {
    AccessibleRef ref;
    AccessibleObject object;
};

void Collect(AccessibleRef ref, std::vector<Node>& nodes) {
    const std::optional<AccessibleObject> object = DescribeAccessible(ref);
    ASSERT_TRUE(object.has_value()) << "window " << ref.window->id << " part " << ref.part;
    nodes.push_back({ref, *object});
    for (const AccessibleRef& child : AccessibleChildren(ref)) {
        Collect(child, nodes);
    }
}

// Everything under one page's tab, the tab itself first.
std::vector<Node> PageTree(int page) {
    std::vector<Node> nodes;
    Collect({TabHandle, page + 1}, nodes);
    return nodes;
}

AccessibleObject Describe(int id) {
    return DescribeAccessible({FindControl(id), 0}).value_or(AccessibleObject{});
}

std::set<HWND> RelationTargets(int id, AccessibleRelationType type) {
    std::set<HWND> targets;
    for (const AccessibleRelation& relation : Describe(id).relations) {
        if (relation.type == type) {
            targets.insert(relation.target);
        }
    }
    return targets;
}

std::set<HWND> Controls(std::initializer_list<int> ids) {
    std::set<HWND> controls;
    for (int id : ids) {
        controls.insert(FindControl(id));
    }
    return controls;
}

} // namespace

TEST_F(MainWindowTest, TheDialogHoldsTheTabListAndTheTwoButtons) {
    const AccessibleObject dialog = DescribeAccessible({m_main, 0}).value();
    EXPECT_EQ(dialog.role, AccessibleRole::Dialog);
    EXPECT_EQ(dialog.name, "[QLX]Kalvetra v1.2 (32-Bit)");
    EXPECT_TRUE(has(dialog.states, AccessibleState::Active));

    const std::vector<AccessibleRef> children = AccessibleChildren({m_main, 0});
    ASSERT_EQ(children.size(), 3u);
    const AccessibleObject tabs = DescribeAccessible(children[0]).value();
    EXPECT_EQ(tabs.role, AccessibleRole::PageTabList);
    const char* const labels[] = {"Mant\xFDksal", "Matematiksel", "D\xF6n\xFC\xFE\xFCm",
                                  "Hakk\xFDnda"};
    const std::vector<AccessibleRef> page_tabs = AccessibleChildren(children[0]);
    ASSERT_EQ(page_tabs.size(), 4u);
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(labels[index]);
        const AccessibleObject tab = DescribeAccessible(page_tabs[index]).value();
        EXPECT_EQ(tab.role, AccessibleRole::PageTab);
        EXPECT_EQ(tab.name, labels[index]);
        EXPECT_EQ(has(tab.states, AccessibleState::Selected), index == 0);
        const std::vector<AccessibleRef> page = {{PageHandles[index], 0}};
        EXPECT_EQ(AccessibleChildren(page_tabs[index]), page) << "each tab holds its page";
    }
    const AccessibleObject clear = DescribeAccessible(children[1]).value();
    EXPECT_EQ(clear.name, "Temizle");
    EXPECT_TRUE(has(clear.states, AccessibleState::Default));
    const AccessibleObject close = DescribeAccessible(children[2]).value();
    EXPECT_EQ(close.name, "Kapat");
    EXPECT_FALSE(has(close.states, AccessibleState::Default));
}

// Every window is in the tree once, with the tabs besides; each object's parent is the one
// whose children list it, since the bridge answers both ways.
TEST_F(MainWindowTest, EveryObjectIsTheChildOfItsParent) {
    std::vector<Node> nodes;
    Collect({m_main, 0}, nodes);
    std::set<HWND> windows;
    for (const Node& node : nodes) {
        if (node.ref.part == 0) {
            EXPECT_TRUE(windows.insert(node.ref.window).second) << node.ref.window->id;
        }
    }
    const auto live = std::count_if(Windows().windows.begin(), Windows().windows.end(),
                                    [](const auto& window) { return IsLive(window.get()); });
    EXPECT_EQ(windows.size(), static_cast<std::size_t>(live));
    EXPECT_EQ(nodes.size(), windows.size() + PageCount);
    EXPECT_FALSE(AccessibleParent({m_main, 0}).has_value());
    for (const Node& node : nodes) {
        for (const AccessibleRef& child : AccessibleChildren(node.ref)) {
            SCOPED_TRACE(DescribeAccessible(child)->name);
            EXPECT_EQ(AccessibleParent(child), node.ref);
        }
    }
}

// What each page holds, and that every control with the keyboard has a name of its own on
// its page, never a bare "=".
TEST_F(MainWindowTest, EveryPageHoldsItsControlsWithNamesOfTheirOwn) {
    struct Row {
        int page;
        int editable_entries, read_only_entries, push_buttons, check_boxes, labels, panels, links,
            images;
    };
    const Row rows[] = {
        {0, 23, 13, 13, 1, 12, 1, 0, 0}, // the page itself is the one panel
        {1, 16, 8, 8, 1, 10, 1, 0, 0},
        {2, 4, 3, 0, 0, 7, 3, 0, 0}, // the page and its two group boxes
        {3, 0, 0, 0, 0, 7, 3, 1, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("page " + std::to_string(row.page));
        const std::vector<Node> nodes = PageTree(row.page);
        std::map<AccessibleRole, int> roles;
        int editable = 0;
        std::set<std::string> names;
        for (const Node& node : nodes) {
            ++roles[node.object.role];
            editable += has(node.object.states, AccessibleState::Editable) ? 1 : 0;
            if (has(node.object.states, AccessibleState::Focusable)) {
                EXPECT_FALSE(node.object.name.empty());
                EXPECT_NE(node.object.name, "=");
                EXPECT_TRUE(names.insert(node.object.name).second)
                    << "\"" << node.object.name << "\" twice";
            }
        }
        EXPECT_EQ(editable, row.editable_entries);
        EXPECT_EQ(roles[AccessibleRole::Entry], row.editable_entries + row.read_only_entries);
        EXPECT_EQ(roles[AccessibleRole::PushButton], row.push_buttons);
        EXPECT_EQ(roles[AccessibleRole::CheckBox], row.check_boxes);
        EXPECT_EQ(roles[AccessibleRole::Label], row.labels);
        EXPECT_EQ(roles[AccessibleRole::Panel], row.panels);
        EXPECT_EQ(roles[AccessibleRole::Link], row.links);
        EXPECT_EQ(roles[AccessibleRole::Image], row.images);
    }
}

TEST_F(MainWindowTest, NamesComeFromWhatTheUserSees) {
    struct Row {
        int id;
        const char* name;
    };
    const Row rows[] = {
        {AndRow.first(), "AND birinci de\xF0\x65r"},
        {OrRow.second(), "OR ikinci de\xF0\x65r"},
        {AndRow.button(), "AND hesapla"}, // the button shows only "="
        {OrRow.result(), "OR sonucu"},
        {NotRow.operand(), "NOT de\xF0\x65ri"},
        {IdivRow.result(), "IDIV sonucu"},
        {LogicCarryBox, "Carry Flag"},       // not the caption, which says the state
        {BinaryField, "\xDDkilik Sonu\xE7"}, // from its label
        {HexField, "Onalt\xFDl\xFDk De\xF0\x65r"},
        {PairField, "Onalt\xFDl\xFDk De\xF0\x65r (String)"},
        {NumericGroup, "Onalt\xFDl\xFDk Say\xFDsal D\xF6n\xFC\xFE\xFCm"}, // its caption
        {AboutTextGroup, "Kalvetra v1.2 (32-Bit) - [QLX] - \xDC\x63retsizdir"},
        {AboutLink, "http://www.qlx.example"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        EXPECT_EQ(Describe(row.id).name, row.name);
    }
    const AccessibleObject banner = Describe(AboutBanner);
    EXPECT_EQ(banner.role, AccessibleRole::Image);
    EXPECT_FALSE(banner.description.empty());
    EXPECT_EQ(WindowText(FindControl(AndRow.button())), "=") << "the visible text stays";
}

TEST_F(MainWindowTest, LabelsAndTheFieldsTheyNameSayItBothWays) {
    struct Row {
        int field;
        std::initializer_list<int> labels;
    };
    const Row rows[] = {
        {HexField, {HexLabel}},
        {BinaryField, {BinaryLabel}},
        {OctalField, {OctalLabel}},
        {TextField, {TextLabel}},
        // Its label reads as the numeric value's: its own name tells it apart.
        {PairField, {}},
        // A row's label and a column's heading name many fields, none alone.
        {AndRow.first(), {}},
        {ImulRow.result(), {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        EXPECT_EQ(RelationTargets(row.field, AccessibleRelationType::LabelledBy),
                  Controls(row.labels));
        for (int label : row.labels) {
            EXPECT_EQ(RelationTargets(label, AccessibleRelationType::LabelFor),
                      Controls({row.field}));
        }
    }
    EXPECT_EQ(RelationTargets(AboutTextGroup, AccessibleRelationType::LabelledBy),
              Controls({AboutTitle}))
        << "a box is named by the title on its edge";
}

TEST_F(MainWindowTest, StatesFollowTheControls) {
    const AccessibleObject operand = Describe(AndRow.first());
    EXPECT_TRUE(has(operand.states, AccessibleState::Editable));
    EXPECT_TRUE(has(operand.states, AccessibleState::Focused));
    EXPECT_EQ(operand.live, AccessibleLive::Off);
    const AccessibleObject result = Describe(AndRow.result());
    EXPECT_TRUE(has(result.states, AccessibleState::ReadOnly));
    EXPECT_FALSE(has(result.states, AccessibleState::Editable));
    EXPECT_EQ(result.live, AccessibleLive::Polite) << "a result is told without the focus";

    EXPECT_FALSE(has(Describe(LogicCarryBox).states, AccessibleState::Checked));
    Click(LogicCarryBox);
    EXPECT_TRUE(has(Describe(LogicCarryBox).states, AccessibleState::Checked));

    const AccessibleObject hidden = Describe(AddRow.first());
    EXPECT_TRUE(has(hidden.states, AccessibleState::Visible));
    EXPECT_FALSE(has(hidden.states, AccessibleState::Showing)) << "its page is hidden";

    Type(AndRow.first(), "ab");
    const AccessibleObject typed = Describe(AndRow.first());
    EXPECT_EQ(typed.text, "AB");
    EXPECT_EQ(typed.caret, 2u);
}

TEST_F(MainWindowTest, ActionsDoWhatAClickDoes) {
    Type(AndRow.first(), "1f");
    Type(AndRow.second(), "3");
    EXPECT_TRUE(DoAccessibleAction({FindControl(AndRow.button()), 0}, 0));
    EXPECT_EQ(Text(AndRow.result()), "00000003");

    EXPECT_TRUE(DoAccessibleAction({FindControl(MathCarryBox), 0}, 0));
    EXPECT_TRUE(Checked(MathCarryBox));
    EXPECT_EQ(Text(MathCarryBox), "Carry Flag: 1") << "the page heard the click";

    EXPECT_TRUE(DoAccessibleAction({TabHandle, 2}, 0)) << "the Matematiksel tab";
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_TRUE(has(DescribeAccessible({TabHandle, 2})->states, AccessibleState::Selected));

    EXPECT_TRUE(DoAccessibleAction({FindControl(AboutLink), 0}, 0));
    EXPECT_EQ(AddressesOpened(), std::vector<std::string>{"http://www.qlx.example/"});

    EXPECT_FALSE(DoAccessibleAction({FindControl(AndRow.first()), 0}, 0)) << "no action";
    EXPECT_FALSE(DoAccessibleAction({FindControl(AndRow.button()), 0}, 1)) << "one action";
}
