// Template 2000, the logical operations page: ten two-operand rows (AND ... RCL), the
// one-operand rows NOT, NEG and BSWAP, and the carry box that RCR and RCL rotate through.
// The order of the table is the keyboard tab order: each row as first operand, second
// operand, "=" button, result; then the carry box; the labels last. Text limits and
// keystroke filters are set by the page when it starts.

#include "pages/carry_box.h"
#include "pages/logic_page.h"
#include "platform/core/dialog_template.h"
#include "resources/control_styles.h"
#include "resources/resource_ids.h"
#include "resources/templates.h"

namespace {

const ControlTemplate Controls[] = {
    // AND
    {"EDIT", nullptr, AndRow.first(), 2, 20, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, AndRow.second(), 114, 20, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", AndRow.button(), 196, 20, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, AndRow.result(), 216, 20, 80, 13, ResultFieldStyle, FieldEdge},
    // OR
    {"EDIT", nullptr, OrRow.first(), 2, 35, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, OrRow.second(), 114, 35, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", OrRow.button(), 196, 35, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, OrRow.result(), 216, 35, 80, 13, ResultFieldStyle, FieldEdge},
    // XOR
    {"EDIT", nullptr, XorRow.first(), 2, 49, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, XorRow.second(), 114, 49, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", XorRow.button(), 196, 49, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, XorRow.result(), 216, 49, 80, 13, ResultFieldStyle, FieldEdge},
    // SAR
    {"EDIT", nullptr, SarRow.first(), 2, 64, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, SarRow.second(), 114, 64, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", SarRow.button(), 196, 64, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, SarRow.result(), 216, 64, 80, 13, ResultFieldStyle, FieldEdge},
    // SHR
    {"EDIT", nullptr, ShrRow.first(), 2, 79, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, ShrRow.second(), 114, 79, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", ShrRow.button(), 196, 79, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, ShrRow.result(), 216, 79, 80, 13, ResultFieldStyle, FieldEdge},
    // SHL
    {"EDIT", nullptr, ShlRow.first(), 2, 94, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, ShlRow.second(), 114, 94, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", ShlRow.button(), 196, 94, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, ShlRow.result(), 216, 94, 80, 13, ResultFieldStyle, FieldEdge},
    // ROR
    {"EDIT", nullptr, RorRow.first(), 2, 108, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, RorRow.second(), 114, 108, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", RorRow.button(), 196, 108, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, RorRow.result(), 216, 108, 80, 13, ResultFieldStyle, FieldEdge},
    // RCR
    {"EDIT", nullptr, RcrRow.first(), 2, 123, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, RcrRow.second(), 114, 123, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", RcrRow.button(), 196, 123, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, RcrRow.result(), 216, 123, 80, 13, ResultFieldStyle, FieldEdge},
    // ROL
    {"EDIT", nullptr, RolRow.first(), 2, 138, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, RolRow.second(), 114, 138, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", RolRow.button(), 196, 138, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, RolRow.result(), 216, 138, 80, 13, ResultFieldStyle, FieldEdge},
    // RCL
    {"EDIT", nullptr, RclRow.first(), 2, 153, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, RclRow.second(), 114, 153, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", RclRow.button(), 196, 153, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, RclRow.result(), 216, 153, 80, 13, ResultFieldStyle, FieldEdge},
    // NOT
    {"EDIT", nullptr, NotRow.operand(), 2, 168, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "NOT", NotRow.button(), 84, 168, 29, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, NotRow.result(), 114, 168, 80, 13, ResultFieldStyle, FieldEdge},
    // NEG
    {"EDIT", nullptr, NegRow.operand(), 2, 182, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "NEG", NegRow.button(), 84, 182, 29, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, NegRow.result(), 114, 182, 80, 13, ResultFieldStyle, FieldEdge},
    // BSWAP
    {"EDIT", nullptr, BswapRow.operand(), 2, 197, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "BSWAP", BswapRow.button(), 84, 197, 29, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, BswapRow.result(), 114, 197, 80, 13, ResultFieldStyle, FieldEdge},
    {"BUTTON", CarryCaptionClear, LogicCarryBox, 216, 168, 76, 11, CheckBoxStyle, 0},
    // Labels, after every tab stop.
    {"STATIC", "Onalt\xFDl\xFDk De\xF0\x65r", LogicValueHeading, 4, 7, 102, 9, LabelStyle,
     0},                                                                      // Onaltılık Değer
    {"STATIC", "Sonu\xE7", LogicResultHeading, 216, 7, 80, 9, LabelStyle, 0}, // Sonuç
    {"STATIC", "AND", AndRow.label(), 90, 22, 16, 9, LabelStyle, 0},
    {"STATIC", "OR", OrRow.label(), 90, 36, 16, 9, LabelStyle, 0},
    {"STATIC", "XOR", XorRow.label(), 90, 51, 16, 9, LabelStyle, 0},
    {"STATIC", "SAR", SarRow.label(), 90, 66, 16, 9, LabelStyle, 0},
    {"STATIC", "SHR", ShrRow.label(), 90, 81, 16, 9, LabelStyle, 0},
    {"STATIC", "SHL", ShlRow.label(), 90, 96, 16, 9, LabelStyle, 0},
    {"STATIC", "ROR", RorRow.label(), 90, 110, 16, 9, LabelStyle, 0},
    {"STATIC", "RCR", RcrRow.label(), 90, 125, 16, 9, LabelStyle, 0},
    {"STATIC", "ROL", RolRow.label(), 90, 140, 16, 9, LabelStyle, 0},
    {"STATIC", "RCL", RclRow.label(), 90, 155, 16, 9, LabelStyle, 0},
};

// What a screen reader calls each control that takes the keyboard: the row's mnemonic with
// the column ("birinci değer", "ikinci değer", "sonucu"; "hesapla" for the row's button).
// The row's label and the column's heading each name many fields, none alone, so they are not
// given as the fields' labels: a screen reader would call a row's two operands alike.
const AccessibleNaming Naming[] = {
    // AND
    {AndRow.first(), "AND birinci de\xF0\x65r", nullptr, {}},
    {AndRow.second(), "AND ikinci de\xF0\x65r", nullptr, {}},
    {AndRow.button(), "AND hesapla", nullptr, {}},
    {AndRow.result(), "AND sonucu", nullptr, {}},
    // OR
    {OrRow.first(), "OR birinci de\xF0\x65r", nullptr, {}},
    {OrRow.second(), "OR ikinci de\xF0\x65r", nullptr, {}},
    {OrRow.button(), "OR hesapla", nullptr, {}},
    {OrRow.result(), "OR sonucu", nullptr, {}},
    // XOR
    {XorRow.first(), "XOR birinci de\xF0\x65r", nullptr, {}},
    {XorRow.second(), "XOR ikinci de\xF0\x65r", nullptr, {}},
    {XorRow.button(), "XOR hesapla", nullptr, {}},
    {XorRow.result(), "XOR sonucu", nullptr, {}},
    // SAR
    {SarRow.first(), "SAR birinci de\xF0\x65r", nullptr, {}},
    {SarRow.second(), "SAR ikinci de\xF0\x65r", nullptr, {}},
    {SarRow.button(), "SAR hesapla", nullptr, {}},
    {SarRow.result(), "SAR sonucu", nullptr, {}},
    // SHR
    {ShrRow.first(), "SHR birinci de\xF0\x65r", nullptr, {}},
    {ShrRow.second(), "SHR ikinci de\xF0\x65r", nullptr, {}},
    {ShrRow.button(), "SHR hesapla", nullptr, {}},
    {ShrRow.result(), "SHR sonucu", nullptr, {}},
    // SHL
    {ShlRow.first(), "SHL birinci de\xF0\x65r", nullptr, {}},
    {ShlRow.second(), "SHL ikinci de\xF0\x65r", nullptr, {}},
    {ShlRow.button(), "SHL hesapla", nullptr, {}},
    {ShlRow.result(), "SHL sonucu", nullptr, {}},
    // ROR
    {RorRow.first(), "ROR birinci de\xF0\x65r", nullptr, {}},
    {RorRow.second(), "ROR ikinci de\xF0\x65r", nullptr, {}},
    {RorRow.button(), "ROR hesapla", nullptr, {}},
    {RorRow.result(), "ROR sonucu", nullptr, {}},
    // RCR
    {RcrRow.first(), "RCR birinci de\xF0\x65r", nullptr, {}},
    {RcrRow.second(), "RCR ikinci de\xF0\x65r", nullptr, {}},
    {RcrRow.button(), "RCR hesapla", nullptr, {}},
    {RcrRow.result(), "RCR sonucu", nullptr, {}},
    // ROL
    {RolRow.first(), "ROL birinci de\xF0\x65r", nullptr, {}},
    {RolRow.second(), "ROL ikinci de\xF0\x65r", nullptr, {}},
    {RolRow.button(), "ROL hesapla", nullptr, {}},
    {RolRow.result(), "ROL sonucu", nullptr, {}},
    // RCL
    {RclRow.first(), "RCL birinci de\xF0\x65r", nullptr, {}},
    {RclRow.second(), "RCL ikinci de\xF0\x65r", nullptr, {}},
    {RclRow.button(), "RCL hesapla", nullptr, {}},
    {RclRow.result(), "RCL sonucu", nullptr, {}},
    // NOT
    {NotRow.operand(), "NOT de\xF0\x65ri", nullptr, {}},
    {NotRow.button(), "NOT hesapla", nullptr, {}},
    {NotRow.result(), "NOT sonucu", nullptr, {}},
    // NEG
    {NegRow.operand(), "NEG de\xF0\x65ri", nullptr, {}},
    {NegRow.button(), "NEG hesapla", nullptr, {}},
    {NegRow.result(), "NEG sonucu", nullptr, {}},
    // BSWAP
    {BswapRow.operand(), "BSWAP de\xF0\x65ri", nullptr, {}},
    {BswapRow.button(), "BSWAP hesapla", nullptr, {}},
    {BswapRow.result(), "BSWAP sonucu", nullptr, {}},
    {LogicCarryBox, CarryBoxName, nullptr, {}},
};

} // namespace

const DialogTemplate LogicPageTemplate{
    LogicPageId, nullptr,         2, 13,       297,    212, PageStyle | WS_VISIBLE,
    0,           "MS Sans Serif", 8, Controls, Naming,
};
