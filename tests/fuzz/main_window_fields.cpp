#include "main_window_fields.h"

#include "pages/logic_page.h"
#include "pages/math_page.h"

#include <algorithm>
#include <vector>

namespace {

// The rows' controls by their names; what bounds each field is the product's description.
struct Tables {
    std::vector<FieldInfo> fields;
    std::vector<ButtonInfo> buttons;

    Tables() {
        for (const TwoOperandRowIds& row : LogicTwoOperandRows) {
            const bool is_count = row.base >= SarRow.base; // SAR to RCL take a two-digit count
            fields.push_back({row.first(), 0, FieldBound::Limit, 8});
            fields.push_back({row.second(), 0, FieldBound::Limit, is_count ? 2u : 8u});
            fields.push_back({row.result(), 0, FieldBound::ReadOnly, 0});
            buttons.push_back({row.button(), 0});
        }
        for (const OneOperandRowIds& row : LogicOneOperandRows) {
            fields.push_back({row.operand(), 0, FieldBound::Limit, 8});
            fields.push_back({row.result(), 0, FieldBound::ReadOnly, 0});
            buttons.push_back({row.button(), 0});
        }
        buttons.push_back({LogicCarryBox, 0});
        for (const TwoOperandRowIds& row : MathRows) {
            fields.push_back({row.first(), 1, FieldBound::Limit, 8});
            fields.push_back({row.second(), 1, FieldBound::Limit, 8});
            fields.push_back({row.result(), 1, FieldBound::ReadOnly, 0});
            buttons.push_back({row.button(), 1});
        }
        buttons.push_back({MathCarryBox, 1});
        fields.push_back({HexField, 2, FieldBound::Limit, 8});
        fields.push_back({BinaryField, 2, FieldBound::Limit, 32});
        fields.push_back({SignedField, 2, FieldBound::ReadOnly, 0});
        fields.push_back({UnsignedField, 2, FieldBound::ReadOnly, 0});
        fields.push_back({OctalField, 2, FieldBound::ReadOnly, 0});
        fields.push_back({PairField, 2, FieldBound::LimitAndPairs, 104});
        fields.push_back({TextField, 2, FieldBound::VisibleWidth, 0});
        buttons.push_back({AboutLink, 3});
        buttons.push_back({ClearButton, -1});
        buttons.push_back({CloseButton, -1});
    }
};

const Tables& TheTables() {
    static const Tables tables;
    return tables;
}

} // namespace

std::span<const FieldInfo> Fields() {
    return TheTables().fields;
}

const FieldInfo* FindField(int id) {
    const auto& fields = TheTables().fields;
    auto found = std::find_if(fields.begin(), fields.end(),
                              [id](const FieldInfo& field) { return field.id == id; });
    return found != fields.end() ? &*found : nullptr;
}

std::span<const ButtonInfo> Buttons() {
    return TheTables().buttons;
}
