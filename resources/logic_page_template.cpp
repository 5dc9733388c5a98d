// Template 2000, the logical operations page: ten two-operand rows (AND ... RCL), the
// one-operand rows NOT, NEG and BSWAP, and the carry box that RCR and RCL rotate through.
// The order of the table is the keyboard tab order: each row as first operand, second
// operand, "=" button, result; then the carry box; the labels last. Text limits and
// keystroke filters are set by the page when it starts.

#include "platform/core/dialog_template.h"
#include "resources/control_styles.h"
#include "resources/resource_ids.h"
#include "resources/templates.h"

namespace {

const ControlTemplate Controls[] = {
    // AND
    {"EDIT", nullptr, 2003, 2, 20, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 2005, 114, 20, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 2006, 196, 20, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 2007, 216, 20, 80, 13, ResultFieldStyle, FieldEdge},
    // OR
    {"EDIT", nullptr, 2008, 2, 35, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 2010, 114, 35, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 2011, 196, 35, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 2012, 216, 35, 80, 13, ResultFieldStyle, FieldEdge},
    // XOR
    {"EDIT", nullptr, 2013, 2, 49, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 2015, 114, 49, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 2016, 196, 49, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 2017, 216, 49, 80, 13, ResultFieldStyle, FieldEdge},
    // SAR
    {"EDIT", nullptr, 2018, 2, 64, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 2020, 114, 64, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 2021, 196, 64, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 2022, 216, 64, 80, 13, ResultFieldStyle, FieldEdge},
    // SHR
    {"EDIT", nullptr, 2023, 2, 79, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 2025, 114, 79, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 2026, 196, 79, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 2027, 216, 79, 80, 13, ResultFieldStyle, FieldEdge},
    // SHL
    {"EDIT", nullptr, 2028, 2, 94, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 2030, 114, 94, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 2031, 196, 94, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 2032, 216, 94, 80, 13, ResultFieldStyle, FieldEdge},
    // ROR
    {"EDIT", nullptr, 2033, 2, 108, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 2035, 114, 108, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 2036, 196, 108, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 2037, 216, 108, 80, 13, ResultFieldStyle, FieldEdge},
    // RCR
    {"EDIT", nullptr, 2038, 2, 123, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 2040, 114, 123, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 2041, 196, 123, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 2042, 216, 123, 80, 13, ResultFieldStyle, FieldEdge},
    // ROL
    {"EDIT", nullptr, 2043, 2, 138, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 2045, 114, 138, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 2046, 196, 138, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 2047, 216, 138, 80, 13, ResultFieldStyle, FieldEdge},
    // RCL
    {"EDIT", nullptr, 2048, 2, 153, 80, 13, OperandFieldStyle, FieldEdge},
    {"EDIT", nullptr, 2050, 114, 153, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "=", 2051, 196, 153, 18, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 2052, 216, 153, 80, 13, ResultFieldStyle, FieldEdge},
    // NOT
    {"EDIT", nullptr, 2053, 2, 168, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "NOT", 2054, 84, 168, 29, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 2055, 114, 168, 80, 13, ResultFieldStyle, FieldEdge},
    // NEG
    {"EDIT", nullptr, 2056, 2, 182, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "NEG", 2057, 84, 182, 29, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 2058, 114, 182, 80, 13, ResultFieldStyle, FieldEdge},
    // BSWAP
    {"EDIT", nullptr, 2059, 2, 197, 80, 13, OperandFieldStyle, FieldEdge},
    {"BUTTON", "BSWAP", 2060, 84, 197, 29, 13, PushButtonStyle, ButtonEdge},
    {"EDIT", nullptr, 2061, 114, 197, 80, 13, ResultFieldStyle, FieldEdge},
    {"BUTTON", "Carry Flag: 0", 2062, 216, 168, 76, 11, CheckBoxStyle, 0},
    // Labels, after every tab stop.
    {"STATIC", "Onalt\xFDl\xFDk De\xF0\x65r", 2001, 4, 7, 102, 9, LabelStyle, 0}, // Onaltılık Değer
    {"STATIC", "Sonu\xE7", 2002, 216, 7, 80, 9, LabelStyle, 0},                   // Sonuç
    {"STATIC", "AND", 2004, 90, 22, 16, 9, LabelStyle, 0},
    {"STATIC", "OR", 2009, 90, 36, 16, 9, LabelStyle, 0},
    {"STATIC", "XOR", 2014, 90, 51, 16, 9, LabelStyle, 0},
    {"STATIC", "SAR", 2019, 90, 66, 16, 9, LabelStyle, 0},
    {"STATIC", "SHR", 2024, 90, 81, 16, 9, LabelStyle, 0},
    {"STATIC", "SHL", 2029, 90, 96, 16, 9, LabelStyle, 0},
    {"STATIC", "ROR", 2034, 90, 110, 16, 9, LabelStyle, 0},
    {"STATIC", "RCR", 2039, 90, 125, 16, 9, LabelStyle, 0},
    {"STATIC", "ROL", 2044, 90, 140, 16, 9, LabelStyle, 0},
    {"STATIC", "RCL", 2049, 90, 155, 16, 9, LabelStyle, 0},
};

} // namespace

const DialogTemplate LogicPageTemplate{
    LogicPageId, nullptr, 2, 13, 297, 212, PageStyle | WS_VISIBLE, 0, "MS Sans Serif", 8, Controls,
};
