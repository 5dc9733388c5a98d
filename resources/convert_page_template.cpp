// Template 4000, the conversion page: the numeric group (one value as hexadecimal, binary,
// signed and unsigned decimal and octal) above the string group (hexadecimal byte pairs and
// the text they spell). The order of the table is the tab order. Text limits and keystroke
// filters are set by the page when it starts.

#include "pages/convert_page.h"
#include "platform/core/dialog_template.h"
#include "resources/control_styles.h"
#include "resources/resource_ids.h"
#include "resources/templates.h"

namespace {

constexpr std::uint32_t TypedFieldStyle = ChildStyle | WS_TABSTOP | ES_CENTER | ES_UPPERCASE;
constexpr std::uint32_t DecimalFieldStyle =
    ChildStyle | WS_TABSTOP | ES_CENTER | ES_READONLY | ES_NUMBER;
constexpr std::uint32_t OctalFieldStyle =
    ChildStyle | WS_TABSTOP | ES_CENTER | ES_READONLY | ES_UPPERCASE;
constexpr std::uint32_t PairFieldStyle = ChildStyle | WS_TABSTOP | ES_UPPERCASE | ES_AUTOHSCROLL;
// No horizontal scrolling: typing stops at the visible width of the field.
constexpr std::uint32_t TextFieldStyle = ChildStyle | WS_TABSTOP | ES_LEFT;
constexpr std::uint32_t CentredGroupBox = GroupBoxStyle | BS_CENTER;

const ControlTemplate Controls[] = {
    // Onaltılık Değer
    {"STATIC", "Onalt\xFDl\xFDk De\xF0\x65r", HexLabel, 6, 12, 77, 9, LabelStyle, 0},
    {"EDIT", nullptr, HexField, 6, 22, 286, 13, TypedFieldStyle, FieldEdge},
    // İkilik Sonuç
    {"STATIC", "\xDDkilik Sonu\xE7", BinaryLabel, 6, 38, 77, 9, LabelStyle, 0},
    {"EDIT", nullptr, BinaryField, 6, 48, 286, 13, TypedFieldStyle, FieldEdge},
    // Onluk Sonuç (Signed)
    {"STATIC", "Onluk Sonu\xE7 (Signed)", SignedLabel, 6, 64, 77, 9, LabelStyle, 0},
    {"EDIT", nullptr, SignedField, 6, 73, 286, 13, DecimalFieldStyle, FieldEdge},
    // Onluk Sonuç (Unsigned)
    {"STATIC", "Onluk Sonu\xE7 (Unsigned)", UnsignedLabel, 6, 90, 77, 9, LabelStyle, 0},
    {"EDIT", nullptr, UnsignedField, 6, 99, 286, 13, DecimalFieldStyle, FieldEdge},
    // Sekizlik Sonuç
    {"STATIC", "Sekizlik Sonu\xE7", OctalLabel, 6, 116, 77, 9, LabelStyle, 0},
    {"EDIT", nullptr, OctalField, 6, 125, 286, 13, OctalFieldStyle, FieldEdge},
    // Onaltılık String Dönüşüm
    {"BUTTON", "Onalt\xFDl\xFDk String D\xF6n\xFC\xFE\xFCm", StringGroup, 2, 147, 294, 62,
     CentredGroupBox, 0},
    // Onaltılık Sayısal Dönüşüm
    {"BUTTON", "Onalt\xFDl\xFDk Say\xFDsal D\xF6n\xFC\xFE\xFCm", NumericGroup, 2, 1, 294, 143,
     CentredGroupBox, 0},
    // Onaltılık Değer
    {"STATIC", "Onalt\xFDl\xFDk De\xF0\x65r", PairLabel, 6, 156, 77, 9, LabelStyle, 0},
    {"EDIT", nullptr, PairField, 6, 166, 286, 13, PairFieldStyle, FieldEdge},
    {"EDIT", nullptr, TextField, 6, 192, 286, 13, TextFieldStyle, FieldEdge},
    // String Değer
    {"STATIC", "String De\xF0\x65r", TextLabel, 6, 182, 77, 9, LabelStyle, 0},
};

// Each field is named by the label above it; the byte pairs' label reads as the numeric
// value's does, so that field has a name of its own, which adds the group it belongs to,
// instead of the label (a screen reader says a field's label before its name).
const AccessibleNaming Naming[] = {
    {HexField, nullptr, nullptr, {HexLabel}},
    {BinaryField, nullptr, nullptr, {BinaryLabel}},
    {SignedField, nullptr, nullptr, {SignedLabel}},
    {UnsignedField, nullptr, nullptr, {UnsignedLabel}},
    {OctalField, nullptr, nullptr, {OctalLabel}},
    // Onaltılık Değer (String)
    {PairField, "Onalt\xFDl\xFDk De\xF0\x65r (String)", nullptr, {}},
    {TextField, nullptr, nullptr, {TextLabel}},
};

} // namespace

const DialogTemplate ConvertPageTemplate{
    ConvertPageId, nullptr, 2, 13, 297, 212, PageStyle, 0, "MS Sans Serif", 8, Controls, Naming,
};
