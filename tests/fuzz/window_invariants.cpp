#include "window_invariants.h"

#include "main_window_fields.h"
#include "require.h"

#include "app/main_dialog.h"
#include "platform/controls/edit/edit_view.h"
#include "platform/core/window_system.h"
#include "testing/simulated_user.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <unordered_map>

namespace {

constexpr std::size_t RecentActionsKept = 24;

WindowInvariants* s_watching = nullptr;
WNDPROC s_page_procedure = nullptr;
int s_notification_depth = 0;

// The controls of the watched window by id, found once: a search of the window tree for
// each of some seventy fields after every action would cost more than the action.
std::unordered_map<int, HWND> s_controls;

HWND ControlOf(int id) {
    auto found = s_controls.find(id);
    if (found == s_controls.end())
        found = s_controls.emplace(id, FindControl(id)).first;
    return found->second;
}

const std::string& TextOf(int id) {
    static const std::string missing = "<missing>";
    HWND control = ControlOf(id);
    return IsLive(control) ? EditStateOf(control).text : missing;
}

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
        return FitsVisibleWidth(ControlOf(field.id), text);
    case FieldBound::ReadOnly:
        return true;
    }
    return true;
}

std::string Printed(const char* format, std::uint32_t value) {
    char text[40];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The page's readings, written again here: hexadecimal digits shifted in until a foreign
// character (which leaves one zero digit), binary digits by character code.
std::uint32_t HexValue(std::string_view text) {
    std::uint32_t value = 0;
    for (char character : text) {
        value <<= 4;
        if (character >= '0' && character <= '9')
            value |= static_cast<std::uint32_t>(character - '0');
        else if (character >= 'A' && character <= 'F')
            value |= static_cast<std::uint32_t>(character - 'A' + 10);
        else
            break;
    }
    return value;
}

std::uint32_t BinaryValue(std::string_view text) {
    std::uint32_t value = 0;
    for (char character : text)
        value = value * 2 | static_cast<std::uint8_t>(static_cast<std::uint8_t>(character) - 48);
    return value;
}

std::string DecodedPairs(std::string_view pairs) {
    if (pairs.size() < 2 || pairs[0] == ' ')
        return {};
    std::string digits;
    std::copy_if(pairs.begin(), pairs.end(), std::back_inserter(digits),
                 [](char character) { return character != ' '; });
    auto value = [](char digit) {
        auto code = static_cast<std::uint8_t>(static_cast<std::uint8_t>(digit) - 48);
        return code > 9 ? static_cast<std::uint8_t>(code - 7) : code;
    };
    std::string text;
    for (std::size_t index = 0; index + 1 < digits.size(); index += 2) {
        const auto byte =
            static_cast<std::uint8_t>(value(digits[index]) * 16 + value(digits[index + 1]));
        text += byte == 0 ? '.' : static_cast<char>(byte);
    }
    return text;
}

std::string EncodedText(std::string_view text) {
    std::string pairs;
    for (char character : text) {
        if (!pairs.empty())
            pairs += ' ';
        pairs += Printed("%02X", static_cast<std::uint8_t>(character));
    }
    return pairs;
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (char character : text.substr(0, 60)) {
        const auto code = static_cast<unsigned char>(character);
        quoted +=
            code >= 0x20 && code < 0x7F ? std::string(1, character) : Printed("\\x%02X", code);
    }
    return quoted + (text.size() > 60 ? "...\"" : "\"");
}

} // namespace

WindowInvariants::WindowInvariants()
    : m_exempt(Fields().size(), false), m_texts_before(Fields().size()) {}

WindowInvariants::~WindowInvariants() {
    if (s_watching == this)
        s_watching = nullptr;
}

void WindowInvariants::attach() {
    s_watching = this;
    s_notification_depth = 0;
    s_controls.clear();
    s_page_procedure = reinterpret_cast<WNDPROC>(SetWindowLongPtr(
        PageHandles[2], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchConvertPage)));
    m_recent.push_back("(main window created)");
    after_action({ActionKind::WindowEvent, 0, "(start)"});
}

LRESULT CALLBACK WindowInvariants::WatchConvertPage(HWND page, UINT message, WPARAM wparam,
                                                    LPARAM lparam) {
    if (message != WM_COMMAND || s_watching == nullptr)
        return CallWindowProc(s_page_procedure, page, message, wparam, lparam);
    const int id = LOWORD(wparam);
    const UINT code = HIWORD(wparam);
    s_watching->on_notification(id, code, s_notification_depth);
    ++s_notification_depth;
    const LRESULT result = CallWindowProc(s_page_procedure, page, message, wparam, lparam);
    --s_notification_depth;
    // The page's reaction to a change of 4004 has just rewritten the decimal and octal forms.
    if (code == EN_CHANGE && id == HexField && s_watching != nullptr)
        s_watching->m_derived_set_by_program = false;
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
    const std::string& text = TextOf(id);
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
    Fail(report);
}

void WindowInvariants::before_action() {
    for (const FieldInfo& field : Fields())
        m_texts_before[IndexOf(field)] = TextOf(field.id);
}

void WindowInvariants::after_action(const Action& action) {
    m_recent.push_back(action.description);
    if (m_recent.size() > RecentActionsKept)
        m_recent.pop_front();
    update_exemptions(action);
    check_field_bounds();
    check_read_only_unchanged(action);
    check_pages();
    check_carry_boxes();
    check_numeric_forms();
    check_string_forms();
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
        const std::string& text = TextOf(field.id);
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
        if (TextOf(field.id) != m_texts_before[IndexOf(field)])
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
        const bool is_checked = SendMessage(ControlOf(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
        const std::string expected = is_checked ? "Carry Flag: 1" : "Carry Flag: 0";
        if (TextOf(box) != expected)
            fail("carry box " + std::to_string(box) + " reads " + Quoted(TextOf(box)) + " but is " +
                 (is_checked ? "checked" : "unchecked"));
    }
}

void WindowInvariants::check_numeric_forms() const {
    const std::string& hex = TextOf(HexField);
    const std::string& binary = TextOf(BinaryField);
    const std::string_view hex_view = hex;
    // The page reads 35 characters to convert, 15 for the decimal and octal forms.
    const std::uint32_t hex_value = HexValue(hex_view.substr(0, 35));
    const std::uint32_t binary_value = BinaryValue(std::string_view(binary).substr(0, 35));
    auto context = [&] { return " (4004 " + Quoted(hex) + ", 4006 " + Quoted(binary) + ")"; };
    switch (m_numeric) {
    case LastChanged::Nothing:
        if (!(hex.empty() && binary.empty()))
            fail("numeric fields filled by nobody" + context());
        break;
    case LastChanged::First:
        if (binary != std::bitset<32>(hex_value).to_string())
            fail("4006 is not the binary form of 4004" + context());
        break;
    case LastChanged::Second:
        if (hex != Printed("%08X", binary_value))
            fail("4004 is not the hexadecimal form of 4006" + context());
        break;
    }
    if (m_derived_set_by_program)
        return;
    const std::string derived[] = {TextOf(SignedField), TextOf(UnsignedField), TextOf(OctalField)};
    if (m_numeric == LastChanged::Nothing) {
        if (!(derived[0].empty() && derived[1].empty() && derived[2].empty()))
            fail("decimal or octal form shown before any input");
        return;
    }
    const std::uint32_t value = HexValue(hex_view.substr(0, 15));
    const std::string expected[] = {Printed("%d", value), Printed("%u", value),
                                    Printed("%02o", value)};
    for (int form = 0; form < 3; ++form)
        if (derived[form] != expected[form])
            fail("decimal or octal form " + Quoted(derived[form]) + " where " +
                 Quoted(expected[form]) + " belongs" + context());
}

void WindowInvariants::check_string_forms() const {
    const std::string& pairs = TextOf(PairField);
    const std::string& text = TextOf(TextField);
    auto context = [&] { return " (4014 " + Quoted(pairs) + ", 4016 " + Quoted(text) + ")"; };
    switch (m_string) {
    case LastChanged::Nothing:
        if (!(pairs.empty() && text.empty()))
            fail("string fields filled by nobody" + context());
        break;
    case LastChanged::First:
        if (text != DecodedPairs(std::string_view(pairs).substr(0, 191)))
            fail("4016 does not show what 4014 decodes to" + context());
        break;
    case LastChanged::Second:
        if (pairs != EncodedText(std::string_view(text).substr(0, 35)))
            fail("4014 does not show what 4016 encodes to" + context());
        break;
    }
}

void WindowInvariants::check_opened_addresses() const {
    std::vector<std::string>& opened = Windows().opened_addresses;
    for (const std::string& address : opened)
        if (address != MakerAddress)
            fail("the link opened " + Quoted(address));
    // Checked and forgotten, so that a long run does not collect them.
    opened.clear();
}
