// Template 3000, the arithmetic operations page: eight two-operand rows (ADD ... IDIV) and
// the carry box that ADC and SBB take their carry from. The order of the table is the
// keyboard tab order: each row as first operand, second operand, "=" button, result; then
// the carry box; the labels last. The results of MUL to IDIV keep the case of their text,
// which may hold a lower-case "r" or the division message. Text limits and keystroke filters
// are set by the page when it starts.

#include "platform/core/dialog_template.h"
#include "resources/control_styles.h"
#include "resources/resource_ids.h"
#include "resources/templates.h"

namespace {

const ControlTemplate Controls[] = {
    // ADD
    {"EDIT", nullptr, 3003, 2, 20, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 3005, 114, 20, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 3006, 196, 20, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 3007, 216, 20, 80, 13, ResultFieldStyle, FieldEdge},
    // ADC
    {"EDIT", nullptr, 3008, 2, 35, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 3010, 114, 35, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 3011, 196, 35, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 3012, 216, 35, 80, 13, ResultFieldStyle, FieldEdge},
    // SUB
    {"EDIT", nullptr, 3013, 2, 49, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 3015, 114, 49, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 3016, 196, 49, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 3017, 216, 49, 80, 13, ResultFieldStyle, FieldEdge},
    // SBB
    {"EDIT", nullptr, 3018, 2, 64, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 3020, 114, 64, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 3021, 196, 64, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 3022, 216, 64, 80, 13, ResultFieldStyle, FieldEdge},
    // MUL
    {"EDIT", nullptr, 3023, 2, 79, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 3025, 114, 79, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 3026, 196, 79, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 3027, 216, 79, 80, 13, AsWrittenResultFieldStyle, FieldEdge},
    // IMUL
    {"EDIT", nullptr, 3028, 2, 94, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 3030, 114, 94, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 3031, 196, 94, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 3032, 216, 94, 80, 13, AsWrittenResultFieldStyle, FieldEdge},
    // DIV
    {"EDIT", nullptr, 3033, 2, 108, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 3035, 114, 108, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 3036, 196, 108, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 3037, 216, 108, 80, 13, AsWrittenResultFieldStyle, FieldEdge},
    // IDIV
    {"EDIT", nullptr, 3038, 2, 123, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 3040, 114, 123, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 3041, 196, 123, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 3042, 216, 123, 80, 13, AsWrittenResultFieldStyle, FieldEdge},
    {"BUTTON", "Carry Flag: 0", 3043, 216, 138, 76, 11, CheckBoxStyle, 0},
    // Labels, after every tab stop.
    {"STATIC", "Onalt\xFDl\xFDk De\xF0\x65r", 3001, 4, 7, 102, 9, LabelStyle, 0}, // Onaltılık Değer
    {"STATIC", "Sonu\xE7", 3002, 216, 7, 80, 9, LabelStyle, 0},                   // Sonuç
    {"STATIC", "ADD", 3004, 90, 22, 16, 9, LabelStyle, 0},
    {"STATIC", "ADC", 3009, 90, 36, 16, 9, LabelStyle, 0},
    {"STATIC", "SUB", 3014, 90, 51, 16, 9, LabelStyle, 0},
    {"STATIC", "SBB", 3019, 90, 66, 16, 9, LabelStyle, 0},
    {"STATIC", "MUL", 3024, 90, 81, 16, 9, LabelStyle, 0},
    {"STATIC", "IMUL", 3029, 90, 96, 17, 9, LabelStyle, 0},
    {"STATIC", "DIV", 3034, 90, 110, 16, 9, LabelStyle, 0},
    {"STATIC", "IDIV", 3039, 90, 125, 16, 9, LabelStyle, 0},
};

} // namespace

const DialogTemplate MathPageTemplate{
    MathPageId, nullptr, 2, 13, 297, 212, PageStyle, 0, "MS Sans Serif", 8, Controls,
};
