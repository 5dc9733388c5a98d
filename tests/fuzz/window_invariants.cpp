#include "window_invariants.h"

#include "main_window_fields.h"
#include "page_model.h"
#include "require.h"
#include "window_watching.h"

#include "app/main_dialog.h"
#include "platform/controls/edit/edit_state.h"
#include "platform/core/window_system.h"

#include <algorithm>

namespace {

constexpr std::size_t RecentActionsKept = 24;

WatchedProcedures s_convert_page;
int s_notification_depth = 0;

std::size_t IndexOf(const FieldInfo& field) {
    return static_cast<std::size_t>(&field - Fields().data());
}

bool IsPairCharacter(char character) {
    return character == ' ' || (character >= '0' && character <= '9') ||
           (character >= 'A' && character <= 'F');
}

// Whether typing and pasting could have left this text in the field.
bool IsWithinBound(const FieldInfo& field, std::string_view text) {
    switch (field.bound) {
    case FieldBound::Limit:
        return text.size() <= field.limit;
    case FieldBound::LimitAndPairs:
        return text.size() <= field.limit && std::all_of(text.begin(), text.end(), IsPairCharacter);
    case FieldBound::VisibleWidth:
        return text.size() <= model::TextFieldCapacity().value_or(text.size());
    case FieldBound::ReadOnly:
        return true;
    }
    return true;
}

} // namespace

// The two input fields of a group of the conversion page, which follow each other: whichever
// the user changed last, the other shows its form of it.
struct FollowingFields {
    int first;
    int second;
    const char* group;
    std::string (*second_of)(std::string_view first);
    const char* second_does_not_follow;
    std::string (*first_of)(std::string_view second);
    const char* first_does_not_follow;
};

namespace {

constexpr FollowingFields NumericFields{HexField,
                                        BinaryField,
                                        "numeric",
                                        model::BinaryFieldFromHexField,
                                        "4006 is not the binary form of 4004",
                                        model::HexFieldFromBinaryField,
                                        "4004 is not the hexadecimal form of 4006"};
constexpr FollowingFields StringFields{PairField,
                                       TextField,
                                       "string",
                                       model::TextFieldFromPairField,
                                       "4016 does not show what 4014 decodes to",
                                       model::PairFieldFromTextField,
                                       "4014 does not show what 4016 encodes to"};

} // namespace

WindowInvariants::WindowInvariants(BrokenRuleReport report)
    : ActionChecker(std::move(report)), m_results([this](const std::string& what) { fail(what); }),
      m_keystrokes([this](const std::string& what) { fail(what); }),
      m_exempt(Fields().size(), false), m_texts_before(Fields().size()) {}

void WindowInvariants::attach() {
    make_active();
    s_notification_depth = 0;
    ForgetControls();
    s_convert_page.clear();
    s_convert_page.put_in_front(PageHandles[2], &WatchConvertPage);
    m_results.attach();
    m_keystrokes.attach();
    m_recent.push_back("(main window created)");
    after_action({ActionKind::WindowEvent, 0, "(start)"});
}

LRESULT CALLBACK WindowInvariants::WatchConvertPage(HWND page, UINT message, WPARAM wparam,
                                                    LPARAM lparam) {
    if (message != WM_COMMAND || active() == nullptr)
        return s_convert_page.forward(page, message, wparam, lparam);
    const int id = LOWORD(wparam);
    const UINT code = HIWORD(wparam);
    active()->on_notification(id, code, s_notification_depth);
    ++s_notification_depth;
    const LRESULT result = s_convert_page.forward(page, message, wparam, lparam);
    --s_notification_depth;
    // The page's reaction to a change of 4004 has just rewritten the decimal and octal forms.
    if (code == EN_CHANGE && id == HexField && active() != nullptr)
        active()->m_derived_set_by_program = false;
    return result;
}

void WindowInvariants::on_notification(int id, UINT code, int depth) {
    if (code != EN_UPDATE)
        return;
    if (depth > 0) {
        on_page_write(id);
        return;
    }
    switch (id) {
    case HexField:
        m_numeric = LastChanged::First;
        break;
    case BinaryField:
        m_numeric = LastChanged::Second;
        break;
    case PairField:
        m_string = LastChanged::First;
        break;
    case TextField:
        m_string = LastChanged::Second;
        break;
    case SignedField:
    case UnsignedField:
    case OctalField:
        m_derived_set_by_program = true;
        break;
    default:
        break;
    }
}

// The page writes 4004, 4006 and 4014 only with what they can hold; 4016 gets the decoding
// of 4014, which is over-long only when 4014 was set over-long from outside.
void WindowInvariants::on_page_write(int id) {
    const FieldInfo* field = FindField(id);
    if (field == nullptr || field->bound == FieldBound::ReadOnly)
        return;
    const std::string text = TextOfControl(id);
    const bool is_within = IsWithinBound(*field, text);
    if (field->bound != FieldBound::VisibleWidth && !is_within)
        fail("the page wrote " + Quoted(text) + " into " + std::to_string(id) +
             " during the action after these");
    m_exempt[IndexOf(*field)] = !is_within;
}

void WindowInvariants::fail(const std::string& what) const {
    std::string report = what + "\nrecent actions, oldest first:";
    for (const std::string& action : m_recent)
        report += "\n  " + action;
    if (!has_report())
        Fail(report);
    ActionChecker::report(report);
}

void WindowInvariants::before_action() {
    for (const FieldInfo& field : Fields())
        m_texts_before[IndexOf(field)] = TextOfControl(field.id);
    m_results.before_action();
    m_keystrokes.before_action();
}

ModelChecks WindowInvariants::model_checks() const {
    return {m_results.results_checked(), m_keystrokes.messages_checked()};
}

void WindowInvariants::after_action(const Action& action) {
    m_recent.push_back(action.description);
    if (m_recent.size() > RecentActionsKept)
        m_recent.pop_front();
    update_exemptions(action);
    m_results.after_action(action);
    m_keystrokes.after_action(action);
    check_field_bounds();
    check_read_only_unchanged(action);
    check_pages();
    check_carry_boxes();
    check_numeric_forms();
    check_following(StringFields, m_string);
    check_opened_addresses();
    // Released once compared: between actions the checker holds none of the texts, so
    // that the soak's memory readings are the program's own.
    for (std::string& text : m_texts_before)
        std::string().swap(text);
}

void WindowInvariants::update_exemptions(const Action& action) {
    for (const FieldInfo& field : Fields()) {
        if (field.bound == FieldBound::ReadOnly)
            continue;
        HWND control = ControlOf(field.id);
        const std::string& text = EditStateOf(control).text;
        std::vector<bool>::reference exempt = m_exempt[IndexOf(field)];
        if (action.kind == ActionKind::SetText && action.target == field.id) {
            exempt = !IsWithinBound(field, text);
        } else if (exempt && text.empty()) {
            // Emptied; the exemption ends unless undo would put an over-long text back.
            const auto undo = EditStateOf(control).model.undo_change(text);
            exempt = undo && !IsWithinBound(field, undo->text);
        }
    }
}

void WindowInvariants::check_field_bounds() const {
    for (const FieldInfo& field : Fields()) {
        if (field.bound == FieldBound::ReadOnly || m_exempt[IndexOf(field)])
            continue;
        const std::string text = TextOfControl(field.id);
        if (!IsWithinBound(field, text))
            fail("field " + std::to_string(field.id) + " holds " + std::to_string(text.size()) +
                 " characters " + Quoted(text) + ", beyond what typing and pasting allow");
    }
}

void WindowInvariants::check_read_only_unchanged(const Action& action) const {
    const bool is_input = action.kind == ActionKind::Type || action.kind == ActionKind::Paste ||
                          action.kind == ActionKind::MenuCommand;
    const FieldInfo* target = FindField(action.target);
    if (!is_input || target == nullptr || target->bound != FieldBound::ReadOnly)
        return;
    for (const FieldInfo& field : Fields())
        if (TextOfControl(field.id) != m_texts_before[IndexOf(field)])
            fail("input into read-only field " + std::to_string(target->id) + " changed field " +
                 std::to_string(field.id));
}

void WindowInvariants::check_pages() const {
    const auto visible =
        std::count_if(std::begin(PageHandles), std::end(PageHandles),
                      [](HWND page) { return IsLive(page) && page->is_visible(); });
    if (visible != 1)
        fail(std::to_string(visible) + " pages are visible");
    if (CurrentPage < 0 || CurrentPage >= PageCount || !PageHandles[CurrentPage]->is_visible())
        fail("the visible page is not CurrentPage " + std::to_string(CurrentPage));
    const LRESULT selected = SendMessage(ControlOf(TabControlId), TCM_GETCURSEL, 0, 0);
    if (selected != CurrentPage)
        fail("tab " + std::to_string(selected) + " is selected but CurrentPage is " +
             std::to_string(CurrentPage));
}

void WindowInvariants::check_carry_boxes() const {
    for (int box : {LogicCarryBox, MathCarryBox}) {
        const bool is_checked = IsChecked(ControlOf(box));
        const std::string expected = is_checked ? "Carry Flag: 1" : "Carry Flag: 0";
        if (TextOfControl(box) != expected)
            fail("carry box " + std::to_string(box) + " reads " + Quoted(TextOfControl(box)) +
                 " but is " + (is_checked ? "checked" : "unchecked"));
    }
}

std::string WindowInvariants::check_following(const FollowingFields& fields,
                                              LastChanged last) const {
    const std::string first = TextOfControl(fields.first);
    const std::string second = TextOfControl(fields.second);
    auto context = [&] {
        return " (" + std::to_string(fields.first) + " " + Quoted(first) + ", " +
               std::to_string(fields.second) + " " + Quoted(second) + ")";
    };
    switch (last) {
    case LastChanged::Nothing:
        if (!(first.empty() && second.empty()))
            fail(std::string(fields.group) + " fields filled by nobody" + context());
        break;
    case LastChanged::First:
        if (second != fields.second_of(first))
            fail(fields.second_does_not_follow + context());
        break;
    case LastChanged::Second:
        if (first != fields.first_of(second))
            fail(fields.first_does_not_follow + context());
        break;
    }
    return first;
}

void WindowInvariants::check_numeric_forms() const {
    const std::string hex = check_following(NumericFields, m_numeric);
    if (m_derived_set_by_program)
        return;
    const std::string derived[] = {TextOfControl(SignedField), TextOfControl(UnsignedField),
                                   TextOfControl(OctalField)};
    if (m_numeric == LastChanged::Nothing) {
        if (!(derived[0].empty() && derived[1].empty() && derived[2].empty()))
            fail("decimal or octal form shown before any input");
        return;
    }
    const model::DerivedForms forms = model::DerivedFormsFromHexField(hex);
    const std::string expected[] = {forms.signed_decimal, forms.unsigned_decimal, forms.octal};
    for (int form = 0; form < 3; ++form)
        if (derived[form] != expected[form])
            fail("decimal or octal form " + Quoted(derived[form]) + " where " +
                 Quoted(expected[form]) + " belongs (4004 " + Quoted(hex) + ")");
}

void WindowInvariants::check_opened_addresses() const {
    std::vector<std::string>& opened = Windows().opened_addresses;
    for (const std::string& address : opened)
        if (address != MakerAddress)
            fail("the link opened " + Quoted(address));
    // Checked and forgotten, so that a long run does not collect them.
    opened.clear();
}
