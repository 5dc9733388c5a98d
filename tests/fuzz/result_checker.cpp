#include "result_checker.h"

#include "main_window_fields.h"
#include "page_model.h"
#include "window_watching.h"

#include "app/main_dialog.h"
#include "platform/core/window_system.h"

namespace {

WatchedProcedures s_procedures;

constexpr const char* CarryCaptionOff = "Carry Flag: 0";

} // namespace

void ResultChecker::attach() {
    make_active();
    s_procedures.clear();
    s_procedures.put_in_front(PageHandles[0], &WatchCalculatingPage);
    s_procedures.put_in_front(PageHandles[1], &WatchCalculatingPage);
    s_procedures.put_in_front(GetParent(ControlOf(TabControlId)), &WatchMainWindow);
    m_expected.clear();
}

LRESULT CALLBACK ResultChecker::WatchCalculatingPage(HWND page, UINT message, WPARAM wparam,
                                                     LPARAM lparam) {
    // The pages decide a command by its id alone, whatever the notification.
    if (message == WM_COMMAND && active() != nullptr && model::RowOfButton(LOWORD(wparam)))
        return active()->run_row_command(LOWORD(wparam), page, message, wparam, lparam);
    return s_procedures.forward(page, message, wparam, lparam);
}

LRESULT CALLBACK ResultChecker::WatchMainWindow(HWND window, UINT message, WPARAM wparam,
                                                LPARAM lparam) {
    const LRESULT result = s_procedures.forward(window, message, wparam, lparam);
    if (message == WM_COMMAND && LOWORD(wparam) == ClearButton && HIWORD(wparam) == BN_CLICKED &&
        active() != nullptr)
        active()->check_cleared();
    return result;
}

LRESULT ResultChecker::run_row_command(int button, HWND page, UINT message, WPARAM wparam,
                                       LPARAM lparam) {
    const model::Row& row = *model::RowOfButton(button);
    const std::string first = TextOfControl(row.first);
    const std::string second = row.second != 0 ? TextOfControl(row.second) : std::string();
    const bool carry = row.carry_box != 0 && IsChecked(ControlOf(row.carry_box));
    const std::string expected = model::ResultText(row, {first, second, carry});

    const LRESULT result = s_procedures.forward(page, message, wparam, lparam);

    ++m_results_checked;
    const std::string shown = TextOfControl(row.result);
    const std::string inputs = "A " + Quoted(first) +
                               (row.second != 0 ? ", B " + Quoted(second) : "") +
                               (row.carry_box != 0 ? carry ? ", carry 1" : ", carry 0" : "");
    if (shown != expected)
        report(std::string(row.name) + " (" + std::to_string(row.button) + ") of " + inputs +
               " wrote " + Quoted(shown) + " into " + std::to_string(row.result) +
               " where the model computes " + Quoted(expected));
    if (TextOfControl(row.first) != first ||
        (row.second != 0 && TextOfControl(row.second) != second))
        report(std::string(row.name) + " (" + std::to_string(row.button) +
               ") rewrote an operand of " + inputs);
    // Reported once: afterwards the field is judged by what it shows.
    m_expected[row.result] = shown;
    return result;
}

// Every field of the calculating pages empty, both carry boxes clear, and the conversion
// page showing the forms of an empty hexadecimal field and an empty byte-pair field.
void ResultChecker::check_cleared() {
    for (const FieldInfo& field : Fields())
        if (field.page != 2 && !TextOfControl(field.id).empty())
            report("Temizle left " + Quoted(TextOfControl(field.id)) + " in " +
                   std::to_string(field.id));
    for (int box : {LogicCarryBox, MathCarryBox})
        if (IsChecked(ControlOf(box)) || TextOfControl(box) != CarryCaptionOff)
            report("Temizle left carry box " + std::to_string(box) + " " +
                   Quoted(TextOfControl(box)) + (IsChecked(ControlOf(box)) ? ", checked" : ""));
    const model::DerivedForms zero = model::DerivedFormsFromHexField("");
    const std::pair<int, std::string> conversion[] = {
        {HexField, ""},
        {BinaryField, model::BinaryFieldFromHexField("")},
        {SignedField, zero.signed_decimal},
        {UnsignedField, zero.unsigned_decimal},
        {OctalField, zero.octal},
        {PairField, ""},
        {TextField, model::TextFieldFromPairField("")},
    };
    for (const auto& [id, expected] : conversion)
        if (TextOfControl(id) != expected)
            report("after Temizle " + std::to_string(id) + " shows " + Quoted(TextOfControl(id)) +
                   " where the model has " + Quoted(expected));
    for (const model::Row& row : model::Rows())
        m_expected[row.result] = TextOfControl(row.result);
}

// Between actions nothing computes; what the fields show then is what this action starts
// from.
void ResultChecker::before_action() {
    for (const model::Row& row : model::Rows())
        m_expected[row.result] = TextOfControl(row.result);
}

void ResultChecker::after_action(const Action& action) {
    // The action may have ended the main window.
    if (IsLive(PageHandles[0]) && IsLive(PageHandles[1])) {
        for (const model::Row& row : model::Rows()) {
            const std::string shown = TextOfControl(row.result);
            if (action.kind == ActionKind::SetText && action.target == row.result)
                continue; // the run itself wrote it
            if (shown != m_expected[row.result])
                report(std::to_string(row.result) + " changed to " + Quoted(shown) + " from " +
                       Quoted(m_expected[row.result]) + " without a command of its row " +
                       row.name);
        }
    }
    // Nothing is held between actions, so that the soak's memory readings are the program's.
    std::unordered_map<int, std::string>().swap(m_expected);
}
