#pragma once

// The ids of one row of a calculating page, named from the row's base id b. A two-operand
// row holds its first operand at b, its label at b + 1, its second operand at b + 2, its "="
// button at b + 3 and its result at b + 4; the bases run 5 apart from the page's template id
// + 3. The logical page's one-operand rows hold their operand at b, their button at b + 1
// and their result at b + 2. Only ids: what a row computes is its page's.

struct TwoOperandRowIds {
    int base;

    constexpr int first() const { return base; }
    constexpr int label() const { return base + 1; }
    constexpr int second() const { return base + 2; }
    constexpr int button() const { return base + 3; }
    constexpr int result() const { return base + 4; }
};

struct OneOperandRowIds {
    int base;

    constexpr int operand() const { return base; }
    constexpr int button() const { return base + 1; }
    constexpr int result() const { return base + 2; }
};
