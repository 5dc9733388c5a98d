// Template 3000, the arithmetic operations page: eight two-operand rows (ADD ... IDIV) and
// the carry box that ADC and SBB take their carry from. The order of the table is the
// keyboard tab order: each row as first operand, second operand, "=" button, result; then
// the carry box; the labels last. The results of MUL to IDIV keep the case of their text,
// which may hold a lower-case "r" or the division message. Text limits and keystroke filters
// are set by the page when it starts.

#include "pages/carry_box.h"
#include "pages/math_page.h"
#include "platform/core/dialog_template.h"
#include "resources/control_styles.h"
#include "resources/resource_ids.h"
#include "resources/templates.h"

namespace {

const ControlTemplate Controls[] = {
    // ADD
    {"EDIT", nullptr, AddRow.first(), 2, 20, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, AddRow.second(), 114, 20, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", AddRow.button(), 196, 20, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, AddRow.result(), 216, 20, 80, 13, ResultFieldStyle, FieldEdge},
    // ADC
    {"EDIT", nullptr, AdcRow.first(), 2, 35, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, AdcRow.second(), 114, 35, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", AdcRow.button(), 196, 35, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, AdcRow.result(), 216, 35, 80, 13, ResultFieldStyle, FieldEdge},
    // SUB
    {"EDIT", nullptr, SubRow.first(), 2, 49, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, SubRow.second(), 114, 49, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", SubRow.button(), 196, 49, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, SubRow.result(), 216, 49, 80, 13, ResultFieldStyle, FieldEdge},
    // SBB
    {"EDIT", nullptr, SbbRow.first(), 2, 64, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, SbbRow.second(), 114, 64, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", SbbRow.button(), 196, 64, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, SbbRow.result(), 216, 64, 80, 13, ResultFieldStyle, FieldEdge},
    // MUL
    {"EDIT", nullptr, MulRow.first(), 2, 79, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, MulRow.second(), 114, 79, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", MulRow.button(), 196, 79, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, MulRow.result(), 216, 79, 80, 13, AsWrittenResultFieldStyle, FieldEdge},
    // IMUL
    {"EDIT", nullptr, ImulRow.first(), 2, 94, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, ImulRow.second(), 114, 94, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", ImulRow.button(), 196, 94, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, ImulRow.result(), 216, 94, 80, 13, AsWrittenResultFieldStyle, FieldEdge},
    // DIV
    {"EDIT", nullptr, DivRow.first(), 2, 108, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, DivRow.second(), 114, 108, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", DivRow.button(), 196, 108, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, DivRow.result(), 216, 108, 80, 13, AsWrittenResultFieldStyle, FieldEdge},
    // IDIV
    {"EDIT", nullptr, IdivRow.first(), 2, 123, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, IdivRow.second(), 114, 123, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", IdivRow.button(), 196, 123, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, IdivRow.result(), 216, 123, 80, 13, AsWrittenResultFieldStyle, FieldEdge},
    {"BUTTON", CarryCaptionClear, MathCarryBox, 216, 138, 76, 11, CheckBoxStyle, 0},
    // Labels, after every tab stop.
    {"STATIC", "Onalt\xFDl\xFDk De\xF0\x65r", MathValueHeading, 4, 7, 102, 9, LabelStyle,
     0},                                                                     // Onaltılık Değer
    {"STATIC", "Sonu\xE7", MathResultHeading, 216, 7, 80, 9, LabelStyle, 0}, // Sonuç
    {"STATIC", "ADD", AddRow.label(), 90, 22, 16, 9, LabelStyle, 0},
    {"STATIC", "ADC", AdcRow.label(), 90, 36, 16, 9, LabelStyle, 0},
    {"STATIC", "SUB", SubRow.label(), 90, 51, 16, 9, LabelStyle, 0},
    {"STATIC", "SBB", SbbRow.label(), 90, 66, 16, 9, LabelStyle, 0},
    {"STATIC", "MUL", MulRow.label(), 90, 81, 16, 9, LabelStyle, 0},
    {"STATIC", "IMUL", ImulRow.label(), 90, 96, 17, 9, LabelStyle, 0},
    {"STATIC", "DIV", DivRow.label(), 90, 110, 16, 9, LabelStyle, 0},
    {"STATIC", "IDIV", IdivRow.label(), 90, 125, 16, 9, LabelStyle, 0},
};

// What a screen reader calls each control that takes the keyboard: the row's mnemonic with
// the column ("birinci değer", "ikinci değer", "sonucu"; "hesapla" for the row's button).
// The row's label and the column's heading each name many fields, none alone, so they are not
// given as the fields' labels: a screen reader would call a row's two operands alike.
const AccessibleNaming Naming[] = {
    // ADD
    {AddRow.first(), "ADD birinci de\xF0\x65r", nullptr, {}},
    {AddRow.second(), "ADD ikinci de\xF0\x65r", nullptr, {}},
    {AddRow.button(), "ADD hesapla", nullptr, {}},
    {AddRow.result(), "ADD sonucu", nullptr, {}},
    // ADC
    {AdcRow.first(), "ADC birinci de\xF0\x65r", nullptr, {}},
    {AdcRow.second(), "ADC ikinci de\xF0\x65r", nullptr, {}},
    {AdcRow.button(), "ADC hesapla", nullptr, {}},
    {AdcRow.result(), "ADC sonucu", nullptr, {}},
    // SUB
    {SubRow.first(), "SUB birinci de\xF0\x65r", nullptr, {}},
    {SubRow.second(), "SUB ikinci de\xF0\x65r", nullptr, {}},
    {SubRow.button(), "SUB hesapla", nullptr, {}},
    {SubRow.result(), "SUB sonucu", nullptr, {}},
    // SBB
    {SbbRow.first(), "SBB birinci de\xF0\x65r", nullptr, {}},
    {SbbRow.second(), "SBB ikinci de\xF0\x65r", nullptr, {}},
    {SbbRow.button(), "SBB hesapla", nullptr, {}},
    {SbbRow.result(), "SBB sonucu", nullptr, {}},
    // MUL
    {MulRow.first(), "MUL birinci de\xF0\x65r", nullptr, {}},
    {MulRow.second(), "MUL ikinci de\xF0\x65r", nullptr, {}},
    {MulRow.button(), "MUL hesapla", nullptr, {}},
    {MulRow.result(), "MUL sonucu", nullptr, {}},
    // IMUL
    {ImulRow.first(), "IMUL birinci de\xF0\x65r", nullptr, {}},
    {ImulRow.second(), "IMUL ikinci de\xF0\x65r", nullptr, {}},
    {ImulRow.button(), "IMUL hesapla", nullptr, {}},
    {ImulRow.result(), "IMUL sonucu", nullptr, {}},
    // DIV
    {DivRow.first(), "DIV birinci de\xF0\x65r", nullptr, {}},
    {DivRow.second(), "DIV ikinci de\xF0\x65r", nullptr, {}},
    {DivRow.button(), "DIV hesapla", nullptr, {}},
    {DivRow.result(), "DIV sonucu", nullptr, {}},
    // IDIV
    {IdivRow.first(), "IDIV birinci de\xF0\x65r", nullptr, {}},
    {IdivRow.second(), "IDIV ikinci de\xF0\x65r", nullptr, {}},
    {IdivRow.button(), "IDIV hesapla", nullptr, {}},
    {IdivRow.result(), "IDIV sonucu", nullptr, {}},
    {MathCarryBox, CarryBoxName, nullptr, {}},
};

} // namespace

const DialogTemplate MathPageTemplate{
    MathPageId, nullptr, 2, 13, 297, 212, PageStyle, 0, "MS Sans Serif", 8, Controls, Naming,
};
