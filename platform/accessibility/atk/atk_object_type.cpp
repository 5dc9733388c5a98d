#include "platform/accessibility/atk/atk_object_type.h"

#include "platform/accessibility/atk/atk_tree.h"
#include "platform/core/window_system.h"
#include "platform/text/codepage1254.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>

namespace {

// ----- the AtkObject: what every object answers -----

AtkRole RoleOf(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::Dialog:
        return ATK_ROLE_DIALOG;
    case AccessibleRole::Panel:
        return ATK_ROLE_PANEL;
    case AccessibleRole::PageTabList:
        return ATK_ROLE_PAGE_TAB_LIST;
    case AccessibleRole::PageTab:
        return ATK_ROLE_PAGE_TAB;
    case AccessibleRole::Label:
        return ATK_ROLE_LABEL;
    case AccessibleRole::Entry:
        return ATK_ROLE_ENTRY;
    case AccessibleRole::PushButton:
        return ATK_ROLE_PUSH_BUTTON;
    case AccessibleRole::CheckBox:
        return ATK_ROLE_CHECK_BOX;
    case AccessibleRole::Link:
        return ATK_ROLE_LINK;
    case AccessibleRole::Image:
        return ATK_ROLE_IMAGE;
    }
    return ATK_ROLE_UNKNOWN;
}

// The application's name: what a screen reader says when the user switches to it.
constexpr char ApplicationName[] = "Kalvetra";

const gchar* GetName(AtkObject* object) {
    AccessibleNode* node = NodeOf(object);
    if (node->is_application) {
        return ApplicationName;
    }
    const std::optional<AccessibleObject> described = DescribeNode(*node);
    node->name_utf8 = described ? CodePage1254ToUtf8(described->name) : std::string();
    return node->name_utf8.c_str();
}

const gchar* GetDescription(AtkObject* object) {
    AccessibleNode* node = NodeOf(object);
    const std::optional<AccessibleObject> described = DescribeNode(*node);
    node->description_utf8 = described ? CodePage1254ToUtf8(described->description) : "";
    return node->description_utf8.c_str();
}

AtkRole GetRole(AtkObject* object) {
    AccessibleNode* node = NodeOf(object);
    if (node->is_application) {
        return ATK_ROLE_APPLICATION;
    }
    const std::optional<AccessibleObject> described = DescribeNode(*node);
    return described ? RoleOf(described->role) : ATK_ROLE_UNKNOWN;
}

// The top-level windows are the application's children.
std::vector<AccessibleRef> ChildrenOf(const AccessibleNode& node) {
    if (node.is_application) {
        HWND top = Windows().main_window;
        return IsLive(top) ? std::vector<AccessibleRef>{{top, 0}} : std::vector<AccessibleRef>{};
    }
    return node.ref.window != nullptr ? AccessibleChildren(node.ref) : std::vector<AccessibleRef>{};
}

gint GetChildCount(AtkObject* object) {
    return static_cast<gint>(ChildrenOf(*NodeOf(object)).size());
}

AtkObject* RefChild(AtkObject* object, gint index) {
    const std::vector<AccessibleRef> children = ChildrenOf(*NodeOf(object));
    if (index < 0 || index >= static_cast<gint>(children.size())) {
        return nullptr;
    }
    return ATK_OBJECT(g_object_ref(AtkObjectFor(children[static_cast<std::size_t>(index)])));
}

AtkObject* GetParent(AtkObject* object) {
    const AccessibleNode* node = NodeOf(object);
    if (node->is_application || node->ref.window == nullptr) {
        return nullptr;
    }
    const std::optional<AccessibleRef> parent = AccessibleParent(node->ref);
    return parent ? AtkObjectFor(*parent) : AtkApplication();
}

gint GetIndexInParent(AtkObject* object) {
    AtkObject* parent = GetParent(object);
    if (parent == nullptr) {
        return -1;
    }
    const std::vector<AccessibleRef> siblings = ChildrenOf(*NodeOf(parent));
    const auto found = std::find(siblings.begin(), siblings.end(), NodeOf(object)->ref);
    return found == siblings.end() ? -1 : static_cast<gint>(found - siblings.begin());
}

AtkStateSet* RefStateSet(AtkObject* object) {
    AccessibleNode* node = NodeOf(object);
    if (node->is_application) {
        return atk_state_set_new();
    }
    const std::optional<AccessibleObject> described = DescribeNode(*node);
    return AtkStatesOf(described ? described->states : AccessibleState::None, !described);
}

AtkRelationType RelationTypeOf(AccessibleRelationType type) {
    return type == AccessibleRelationType::LabelFor ? ATK_RELATION_LABEL_FOR
                                                    : ATK_RELATION_LABELLED_BY;
}

AtkRelationSet* RefRelationSet(AtkObject* object) {
    AtkRelationSet* set = atk_relation_set_new();
    const std::optional<AccessibleObject> described = DescribeNode(*NodeOf(object));
    if (!described) {
        return set;
    }
    for (const AccessibleRelation& relation : described->relations) {
        atk_relation_set_add_relation_by_type(set, RelationTypeOf(relation.type),
                                              AtkObjectFor({relation.target, 0}));
    }
    return set;
}

AtkAttributeSet* AddAttribute(AtkAttributeSet* set, const char* name, const char* value) {
    auto* attribute = static_cast<AtkAttribute*>(g_malloc(sizeof(AtkAttribute)));
    attribute->name = g_strdup(name);
    attribute->value = g_strdup(value);
    return g_slist_append(set, attribute);
}

// A field whose changes are told politely is a live region.
AtkAttributeSet* GetAttributes(AtkObject* object) {
    const std::optional<AccessibleObject> described = DescribeNode(*NodeOf(object));
    AtkAttributeSet* set = nullptr;
    if (described && described->live == AccessibleLive::Polite) {
        set = AddAttribute(set, "live", "polite");
        set = AddAttribute(set, "container-live", "polite");
    }
    return set;
}

const gchar* GetLocale(AtkObject*) {
    return "tr_TR";
}

void InitialiseInstance(GTypeInstance* instance, gpointer) {
    reinterpret_cast<KalvetraAccessible*>(instance)->node = nullptr;
}

void InitialiseClass(gpointer class_pointer, gpointer) {
    auto* atk_class = static_cast<AtkObjectClass*>(class_pointer);
    atk_class->get_name = GetName;
    atk_class->get_description = GetDescription;
    atk_class->get_role = GetRole;
    atk_class->get_n_children = GetChildCount;
    atk_class->ref_child = RefChild;
    atk_class->get_parent = GetParent;
    atk_class->get_index_in_parent = GetIndexInParent;
    atk_class->ref_state_set = RefStateSet;
    atk_class->ref_relation_set = RefRelationSet;
    atk_class->get_attributes = GetAttributes;
    atk_class->get_object_locale = GetLocale;
}

// ----- AtkComponent -----

std::optional<AccessibleObject> DescribeInterface(gpointer object) {
    return DescribeNode(*NodeOf(object));
}

void GetExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height,
                AtkCoordType coordinates) {
    const std::optional<AccessibleObject> described = DescribeInterface(component);
    PixelRect bounds = described ? described->bounds : PixelRect{};
    if (coordinates == ATK_XY_SCREEN && Windows().backend) {
        const std::optional<PixelRect> window = Windows().backend->window_on_screen();
        bounds.x += window ? window->x : 0;
        bounds.y += window ? window->y : 0;
    } else if (coordinates == ATK_XY_PARENT) {
        const std::optional<AccessibleRef> parent = AccessibleParent(NodeOf(component)->ref);
        const std::optional<AccessibleObject> parent_object =
            parent ? DescribeAccessible(*parent) : std::nullopt;
        bounds.x -= parent_object ? parent_object->bounds.x : 0;
        bounds.y -= parent_object ? parent_object->bounds.y : 0;
    }
    *x = bounds.x;
    *y = bounds.y;
    *width = bounds.width;
    *height = bounds.height;
}

gboolean GrabFocus(AtkComponent* component) {
    const AccessibleNode* node = NodeOf(component);
    const std::optional<AccessibleObject> described = DescribeNode(*node);
    if (!described || node->ref.part != 0 || !has(described->states, AccessibleState::Focusable)) {
        return FALSE;
    }
    SetFocus(node->ref.window);
    return GetFocus() == node->ref.window;
}

AtkLayer GetLayer(AtkComponent* component) {
    return GetParent(ATK_OBJECT(component)) == AtkApplication() ? ATK_LAYER_WINDOW
                                                                : ATK_LAYER_WIDGET;
}

void InitialiseComponent(gpointer interface, gpointer) {
    auto* component = static_cast<AtkComponentIface*>(interface);
    component->get_extents = GetExtents;
    component->grab_focus = GrabFocus;
    component->get_layer = GetLayer;
}

// ----- AtkAction -----

gboolean DoAction(AtkAction* action, gint index) {
    return DoAccessibleAction(NodeOf(action)->ref, index) ? TRUE : FALSE;
}

gint GetActionCount(AtkAction* action) {
    const std::optional<AccessibleObject> described = DescribeInterface(action);
    return described ? static_cast<gint>(described->actions.size()) : 0;
}

const gchar* GetActionName(AtkAction* action, gint index) {
    const std::optional<AccessibleObject> described = DescribeInterface(action);
    if (!described || index < 0 || index >= static_cast<gint>(described->actions.size())) {
        return nullptr;
    }
    return described->actions[static_cast<std::size_t>(index)];
}

// "Tıkla": the click, in the language of the interface.
const gchar* GetLocalizedActionName(AtkAction* action, gint index) {
    return GetActionName(action, index) != nullptr ? "T\xC4\xB1kla" : nullptr;
}

void InitialiseAction(gpointer interface, gpointer) {
    auto* action = static_cast<AtkActionIface*>(interface);
    action->do_action = DoAction;
    action->get_n_actions = GetActionCount;
    action->get_name = GetActionName;
    action->get_localized_name = GetLocalizedActionName;
}

// ----- AtkText: offsets count characters, which are the code page's bytes -----

std::string TextOf(gpointer text) {
    const std::optional<AccessibleObject> described = DescribeInterface(text);
    return described ? described->text : std::string();
}

// The text from start to end (-1 or past the end: to the end), in UTF-8 for GLib to free.
gchar* Slice(const std::string& text, gint start, gint end) {
    const auto length = static_cast<gint>(text.size());
    if (end < 0 || end > length) {
        end = length;
    }
    start = std::clamp(start, 0, end);
    return g_strdup(
        CodePage1254ToUtf8(std::string_view(text).substr(static_cast<std::size_t>(start),
                                                         static_cast<std::size_t>(end - start)))
            .c_str());
}

gchar* GetText(AtkText* text, gint start, gint end) {
    return Slice(TextOf(text), start, end);
}

gunichar GetCharacterAt(AtkText* text, gint offset) {
    const std::string whole = TextOf(text);
    if (offset < 0 || offset >= static_cast<gint>(whole.size())) {
        return 0;
    }
    return CodePage1254ToUnicode(
        static_cast<unsigned char>(whole[static_cast<std::size_t>(offset)]));
}

gint GetCharacterCount(AtkText* text) {
    return static_cast<gint>(TextOf(text).size());
}

gint GetCaretOffset(AtkText* text) {
    const std::optional<AccessibleObject> described = DescribeInterface(text);
    return described ? static_cast<gint>(described->caret) : 0;
}

gboolean SetCaretOffset(AtkText* text, gint offset) {
    const std::size_t at = static_cast<std::size_t>(std::max(offset, 0));
    SelectAccessibleText(NodeOf(text)->ref.window, at, at);
    return TRUE;
}

gint GetSelectionCount(AtkText* text) {
    const std::optional<AccessibleObject> described = DescribeInterface(text);
    return described && described->selection_start != described->selection_end ? 1 : 0;
}

gchar* GetSelection(AtkText* text, gint index, gint* start, gint* end) {
    const std::optional<AccessibleObject> described = DescribeInterface(text);
    *start = *end = 0;
    if (!described || index != 0 || described->selection_start == described->selection_end) {
        return nullptr;
    }
    *start = static_cast<gint>(described->selection_start);
    *end = static_cast<gint>(described->selection_end);
    return Slice(described->text, *start, *end);
}

gboolean SetSelection(AtkText* text, gint index, gint start, gint end) {
    if (index != 0) {
        return FALSE;
    }
    SelectAccessibleText(NodeOf(text)->ref.window, static_cast<std::size_t>(std::max(start, 0)),
                         static_cast<std::size_t>(std::max(end, 0)));
    return TRUE;
}

gboolean AddSelection(AtkText* text, gint start, gint end) {
    return SetSelection(text, 0, start, end);
}

gboolean RemoveSelection(AtkText* text, gint index) {
    return index == 0 ? SetCaretOffset(text, GetCaretOffset(text)) : FALSE;
}

// A word is a run of characters other than spaces; a field has one line, one sentence.
bool IsSpace(char character) {
    return character == ' ';
}

// The unit of text around offset: [start, end).
std::pair<gint, gint> UnitAround(const std::string& text, gint offset, AtkTextGranularity unit) {
    const auto length = static_cast<gint>(text.size());
    offset = std::clamp(offset, 0, length);
    switch (unit) {
    case ATK_TEXT_GRANULARITY_CHAR:
        return {offset, std::min(offset + 1, length)};
    case ATK_TEXT_GRANULARITY_WORD: {
        gint start = offset;
        while (start > 0 && !IsSpace(text[static_cast<std::size_t>(start - 1)])) {
            --start;
        }
        gint end = offset;
        while (end < length && !IsSpace(text[static_cast<std::size_t>(end)])) {
            ++end;
        }
        // A word takes the spaces after it, as a reader's next word starts after them.
        while (end < length && IsSpace(text[static_cast<std::size_t>(end)])) {
            ++end;
        }
        return {start, end};
    }
    default:
        return {0, length};
    }
}

gchar* GetStringAtOffset(AtkText* text, gint offset, AtkTextGranularity unit, gint* start,
                         gint* end) {
    const std::string whole = TextOf(text);
    std::tie(*start, *end) = UnitAround(whole, offset, unit);
    return Slice(whole, *start, *end);
}

AtkTextGranularity UnitOf(AtkTextBoundary boundary) {
    switch (boundary) {
    case ATK_TEXT_BOUNDARY_CHAR:
        return ATK_TEXT_GRANULARITY_CHAR;
    case ATK_TEXT_BOUNDARY_WORD_START:
    case ATK_TEXT_BOUNDARY_WORD_END:
        return ATK_TEXT_GRANULARITY_WORD;
    default:
        return ATK_TEXT_GRANULARITY_LINE;
    }
}

// The older form of the question, which some readers still ask.
gchar* GetTextAtOffset(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start,
                       gint* end) {
    return GetStringAtOffset(text, offset, UnitOf(boundary), start, end);
}

// The text has one run, without attributes of its own: readers ask for the runs to split
// what they speak by language, and would find nothing to speak in a run of no characters.
AtkAttributeSet* GetRunAttributes(AtkText* text, gint, gint* start, gint* end) {
    *start = 0;
    *end = GetCharacterCount(text);
    return nullptr;
}

void InitialiseText(gpointer interface, gpointer) {
    auto* text = static_cast<AtkTextIface*>(interface);
    text->get_text = GetText;
    text->get_character_at_offset = GetCharacterAt;
    text->get_character_count = GetCharacterCount;
    text->get_caret_offset = GetCaretOffset;
    text->set_caret_offset = SetCaretOffset;
    text->get_n_selections = GetSelectionCount;
    text->get_selection = GetSelection;
    text->add_selection = AddSelection;
    text->set_selection = SetSelection;
    text->remove_selection = RemoveSelection;
    text->get_string_at_offset = GetStringAtOffset;
    text->get_text_at_offset = GetTextAtOffset;
    text->get_run_attributes = GetRunAttributes;
}

// ----- AtkEditableText: through the field's own paste and deletion -----

HWND FieldOf(gpointer text) {
    return NodeOf(text)->ref.window;
}

std::size_t OffsetOf(gint offset) {
    return static_cast<std::size_t>(std::max(offset, 0));
}

// End -1 means the end of the text.
std::size_t EndOf(gint end) {
    return end < 0 ? SIZE_MAX : static_cast<std::size_t>(end);
}

void SetTextContents(AtkEditableText* text, const gchar* contents) {
    ReplaceAccessibleText(FieldOf(text), Utf8ToCodePage1254(contents != nullptr ? contents : ""));
}

void InsertText(AtkEditableText* text, const gchar* insertion, gint length, gint* position) {
    if (insertion == nullptr || position == nullptr) {
        return;
    }
    const std::string_view utf8(insertion, length < 0 ? std::strlen(insertion)
                                                      : static_cast<std::size_t>(length));
    InsertAccessibleText(FieldOf(text), OffsetOf(*position), Utf8ToCodePage1254(utf8));
    *position = GetCaretOffset(ATK_TEXT(text));
}

void CopyText(AtkEditableText* text, gint start, gint end) {
    CopyAccessibleText(FieldOf(text), OffsetOf(start), EndOf(end));
}

void CutText(AtkEditableText* text, gint start, gint end) {
    CutAccessibleText(FieldOf(text), OffsetOf(start), EndOf(end));
}

void DeleteText(AtkEditableText* text, gint start, gint end) {
    DeleteAccessibleText(FieldOf(text), OffsetOf(start), EndOf(end));
}

void PasteTextAt(AtkEditableText* text, gint position) {
    PasteAccessibleText(FieldOf(text), OffsetOf(position));
}

void InitialiseEditableText(gpointer interface, gpointer) {
    auto* editable = static_cast<AtkEditableTextIface*>(interface);
    editable->set_text_contents = SetTextContents;
    editable->insert_text = InsertText;
    editable->copy_text = CopyText;
    editable->cut_text = CutText;
    editable->delete_text = DeleteText;
    editable->paste_text = PasteTextAt;
}

// ----- AtkSelection: a tab strip's selected tab, chosen as a click chooses it -----

AccessibleRef PartOf(gpointer selection, gint index) {
    return {NodeOf(selection)->ref.window, index + 1};
}

bool IsPartSelected(AccessibleRef part) {
    const std::optional<AccessibleObject> described = DescribeAccessible(part);
    return described && has(described->states, AccessibleState::Selected);
}

gint PartCount(gpointer selection) {
    const std::optional<AccessibleObject> described = DescribeInterface(selection);
    return described ? described->part_count : 0;
}

gboolean AddChildSelection(AtkSelection* selection, gint index) {
    return index >= 0 && index < PartCount(selection) &&
           DoAccessibleAction(PartOf(selection, index), 0);
}

gboolean IsChildSelected(AtkSelection* selection, gint index) {
    return index >= 0 && index < PartCount(selection) && IsPartSelected(PartOf(selection, index));
}

gint GetSelectedCount(AtkSelection* selection) {
    gint count = 0;
    for (gint index = 0; index < PartCount(selection); ++index) {
        count += IsChildSelected(selection, index) ? 1 : 0;
    }
    return count;
}

AtkObject* RefSelected(AtkSelection* selection, gint nth) {
    for (gint index = 0; index < PartCount(selection); ++index) {
        if (IsChildSelected(selection, index) && nth-- == 0) {
            return ATK_OBJECT(g_object_ref(AtkObjectFor(PartOf(selection, index))));
        }
    }
    return nullptr;
}

// One tab is always selected: nothing clears it.
gboolean RefuseSelectionChange(AtkSelection*) {
    return FALSE;
}
gboolean RefuseRemoval(AtkSelection*, gint) {
    return FALSE;
}

void InitialiseSelection(gpointer interface, gpointer) {
    auto* selection = static_cast<AtkSelectionIface*>(interface);
    selection->add_selection = AddChildSelection;
    selection->is_child_selected = IsChildSelected;
    selection->get_selection_count = GetSelectedCount;
    selection->ref_selection = RefSelected;
    selection->clear_selection = RefuseSelectionChange;
    selection->select_all_selection = RefuseSelectionChange;
    selection->remove_selection = RefuseRemoval;
}

// AtkWindow has only signals (activate, deactivate...), which atk_events.cpp emits.
void InitialiseWindow(gpointer, gpointer) {}

// ----- the types -----

enum Interface : unsigned {
    ActionInterface = 1,
    TextInterface = 2,
    EditableTextInterface = 4,
    SelectionInterface = 8,
    WindowInterface = 16,
};

struct InterfaceEntry {
    Interface bit;
    GType (*type)();
    GInterfaceInitFunc initialise;
};

const InterfaceEntry Interfaces[] = {
    {ActionInterface, atk_action_get_type, InitialiseAction},
    {TextInterface, atk_text_get_type, InitialiseText},
    {EditableTextInterface, atk_editable_text_get_type, InitialiseEditableText},
    {SelectionInterface, atk_selection_get_type, InitialiseSelection},
    {WindowInterface, atk_window_get_type, InitialiseWindow},
};

GType BaseType() {
    static const GType type = [] {
        const GTypeInfo info = {sizeof(AtkObjectClass),
                                nullptr,
                                nullptr,
                                InitialiseClass,
                                nullptr,
                                nullptr,
                                sizeof(KalvetraAccessible),
                                0,
                                InitialiseInstance,
                                nullptr};
        const GType registered =
            g_type_register_static(ATK_TYPE_OBJECT, "KalvetraAccessible", &info, GTypeFlags{});
        const GInterfaceInfo component = {InitialiseComponent, nullptr, nullptr};
        g_type_add_interface_static(registered, ATK_TYPE_COMPONENT, &component);
        return registered;
    }();
    return type;
}

unsigned InterfacesOf(const AccessibleObject& object) {
    unsigned interfaces = 0;
    if (!object.actions.empty()) {
        interfaces |= ActionInterface;
    }
    if (object.has_text) {
        interfaces |= TextInterface;
        if (has(object.states, AccessibleState::Editable)) {
            interfaces |= EditableTextInterface;
        }
    }
    if (object.role == AccessibleRole::PageTabList) {
        interfaces |= SelectionInterface;
    }
    if (object.role == AccessibleRole::Dialog) {
        interfaces |= WindowInterface;
    }
    return interfaces;
}

} // namespace

GType AtkTypeFor(const AccessibleObject& object) {
    static std::map<unsigned, GType> types;
    const unsigned interfaces = InterfacesOf(object);
    if (const auto found = types.find(interfaces); found != types.end()) {
        return found->second;
    }
    const GTypeInfo info = {sizeof(AtkObjectClass),     nullptr, nullptr, nullptr, nullptr, nullptr,
                            sizeof(KalvetraAccessible), 0,       nullptr, nullptr};
    const std::string name = "KalvetraAccessible" + std::to_string(interfaces);
    const GType type = g_type_register_static(BaseType(), name.c_str(), &info, GTypeFlags{});
    for (const InterfaceEntry& entry : Interfaces) {
        if ((interfaces & entry.bit) != 0) {
            const GInterfaceInfo interface = {entry.initialise, nullptr, nullptr};
            g_type_add_interface_static(type, entry.type(), &interface);
        }
    }
    types.emplace(interfaces, type);
    return type;
}

GType AtkApplicationType() {
    return BaseType();
}
