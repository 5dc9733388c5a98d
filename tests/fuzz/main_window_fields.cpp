#include "main_window_fields.h"

#include <algorithm>
#include <vector>

namespace {

// Row k of a calculating page has its first operand at base = template + 3 + 5k, the
// second at base + 2, the "=" button at base + 3 and the result at base + 4. The logic
// page's one-operand rows (NOT, NEG, BSWAP) are operand, button, result in a row of three.
struct Tables {
    std::vector<FieldInfo> fields;
    std::vector<ButtonInfo> buttons;

    Tables() {
        for (int row = 0; row < 10; ++row) {
            const int base = 2003 + 5 * row;
            const bool is_count = row >= 3; // SAR to RCL take a two-digit count
            fields.push_back({base, 0, FieldBound::Limit, 8});
            fields.push_back({base + 2, 0, FieldBound::Limit, is_count ? 2u : 8u});
            fields.push_back({base + 4, 0, FieldBound::ReadOnly, 0});
            buttons.push_back({base + 3, 0});
        }
        for (int base : {2053, 2056, 2059}) {
            fields.push_back({base, 0, FieldBound::Limit, 8});
            fields.push_back({base + 2, 0, FieldBound::ReadOnly, 0});
            buttons.push_back({base + 1, 0});
        }
        buttons.push_back({LogicCarryBox, 0});
        for (int row = 0; row < 8; ++row) {
            const int base = 3003 + 5 * row;
            fields.push_back({base, 1, FieldBound::Limit, 8});
            fields.push_back({base + 2, 1, FieldBound::Limit, 8});
            fields.push_back({base + 4, 1, FieldBound::ReadOnly, 0});
            buttons.push_back({base + 3, 1});
        }
        buttons.push_back({MathCarryBox, 1});
        fields.push_back({HexField, 2, FieldBound::Limit, 8});
        fields.push_back({BinaryField, 2, FieldBound::Limit, 32});
        fields.push_back({SignedField, 2, FieldBound::ReadOnly, 0});
        fields.push_back({UnsignedField, 2, FieldBound::ReadOnly, 0});
        fields.push_back({OctalField, 2, FieldBound::ReadOnly, 0});
        fields.push_back({PairField, 2, FieldBound::LimitAndPairs, 104});
        fields.push_back({TextField, 2, FieldBound::VisibleWidth, 0});
        buttons.push_back({WebLink, 3});
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
