#include "pages/math_operations.h"

#include "operand_samples.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

const char* Name(MathOperation operation) {
    static const char* const names[] = {"ADD", "ADC", "SUB", "SBB", "MUL", "IMUL", "DIV", "IDIV"};
    return names[static_cast<int>(operation)];
}

const char* Name(ResultKind kind) {
    static const char* const names[] = {"Value", "Pair", "DivideByZero", "QuotientOverflow"};
    return names[static_cast<int>(kind)];
}

struct Expected {
    ResultKind kind;
    std::uint32_t eax;
    std::uint32_t edx;
};

void ExpectResult(const ArithmeticResult& result, const Expected& expected) {
    EXPECT_EQ(Name(result.kind), Name(expected.kind));
    EXPECT_EQ(result.eax, expected.eax);
    EXPECT_EQ(result.edx, expected.edx);
}

Expected FromWords(std::uint32_t eax, std::uint32_t edx) {
    return {edx != 0 ? ResultKind::Pair : ResultKind::Value, eax, edx};
}

std::uint32_t Bit(std::uint32_t value, int position) {
    return (value >> position) & 1u;
}

// A ripple-carry adder, one bit position at a time.
std::uint32_t RippleAdd(std::uint32_t a, std::uint32_t b, std::uint32_t carry) {
    std::uint32_t sum = 0;
    for (int position = 0; position < 32; ++position) {
        const std::uint32_t x = Bit(a, position), y = Bit(b, position);
        sum |= (x ^ y ^ carry) << position;
        carry = (x & y) | (x & carry) | (y & carry);
    }
    return sum;
}

// A ripple-borrow subtractor.
std::uint32_t RippleSubtract(std::uint32_t a, std::uint32_t b, std::uint32_t borrow) {
    std::uint32_t difference = 0;
    for (int position = 0; position < 32; ++position) {
        const std::uint32_t x = Bit(a, position), y = Bit(b, position);
        difference |= (x ^ y ^ borrow) << position;
        borrow = ((x ^ 1u) & y) | (((x ^ y) ^ 1u) & borrow);
    }
    return difference;
}

// Schoolbook binary multiplication: add the shifted multiplicand for every set bit.
std::uint64_t ShiftAndAdd(std::uint64_t multiplicand, std::uint64_t multiplier) {
    std::uint64_t product = 0;
    for (int position = 0; position < 32; ++position) {
        if (((multiplier >> position) & 1u) != 0)
            product += multiplicand << position;
    }
    return product;
}

// A signed word's magnitude, 0 to 2^31, and whether it is negative.
std::uint64_t Magnitude(std::uint32_t value) {
    return Bit(value, 31) != 0 ? (std::uint64_t{1} << 32) - value : value;
}

Expected SignedProduct(std::uint32_t a, std::uint32_t b) {
    std::uint64_t product = ShiftAndAdd(Magnitude(a), Magnitude(b));
    if (Bit(a, 31) != Bit(b, 31))
        product = 0 - product;
    return FromWords(static_cast<std::uint32_t>(product),
                     static_cast<std::uint32_t>(product >> 32));
}

// Restoring long division of a 32-bit dividend, one quotient bit per step.
struct LongDivision {
    std::uint64_t quotient = 0;
    std::uint64_t remainder = 0;
};

LongDivision DivideLong(std::uint32_t dividend, std::uint64_t divisor) {
    LongDivision result;
    for (int position = 31; position >= 0; --position) {
        result.remainder = (result.remainder << 1) | Bit(dividend, position);
        result.quotient <<= 1;
        if (result.remainder >= divisor) {
            result.remainder -= divisor;
            result.quotient |= 1u;
        }
    }
    return result;
}

Expected Reference(MathOperation operation, std::uint32_t a, std::uint32_t b, CarryFlag carry) {
    switch (operation) {
    case MathOperation::Add:
        return {ResultKind::Value, RippleAdd(a, b, 0), 0};
    case MathOperation::Adc:
        return {ResultKind::Value, RippleAdd(a, b, CarryBit(carry)), 0};
    case MathOperation::Sub:
        return {ResultKind::Value, RippleSubtract(a, b, 0), 0};
    case MathOperation::Sbb:
        return {ResultKind::Value, RippleSubtract(a, b, CarryBit(carry)), 0};
    case MathOperation::Mul: {
        const std::uint64_t product = ShiftAndAdd(a, b);
        return FromWords(static_cast<std::uint32_t>(product),
                         static_cast<std::uint32_t>(product >> 32));
    }
    case MathOperation::Imul:
        return SignedProduct(a, b);
    case MathOperation::Div: {
        if (b == 0)
            return {ResultKind::DivideByZero, 0, 0};
        const LongDivision division = DivideLong(a, b);
        return FromWords(static_cast<std::uint32_t>(division.quotient),
                         static_cast<std::uint32_t>(division.remainder));
    }
    case MathOperation::Idiv: {
        if (b == 0)
            return {ResultKind::DivideByZero, 0, 0};
        // The dividend is never negative, so the quotient takes the divisor's sign and the
        // remainder is that of the magnitudes.
        const bool is_negative = Bit(b, 31) != 0;
        const LongDivision division = DivideLong(a, Magnitude(b));
        const std::uint64_t largest = is_negative ? 0x80000000u : 0x7FFFFFFFu;
        if (division.quotient > largest)
            return {ResultKind::QuotientOverflow, 0, 0};
        const std::uint64_t quotient = is_negative ? 0 - division.quotient : division.quotient;
        return FromWords(static_cast<std::uint32_t>(quotient),
                         static_cast<std::uint32_t>(division.remainder));
    }
    }
    return {};
}

constexpr MathOperation AllOperations[] = {
    MathOperation::Add, MathOperation::Adc,  MathOperation::Sub, MathOperation::Sbb,
    MathOperation::Mul, MathOperation::Imul, MathOperation::Div, MathOperation::Idiv,
};

} // namespace

TEST(MathOperations, EdgeCases) {
    using enum MathOperation;
    constexpr CarryFlag Any = CarryFlag::Set; // rows that must not look at the carry set it
    constexpr ResultKind Value = ResultKind::Value, Pair = ResultKind::Pair;
    struct Row {
        MathOperation operation;
        std::uint32_t a;
        std::uint32_t b;
        CarryFlag carry;
        Expected expected;
    };
    const Row rows[] = {
        // Empty fields read as zeros.
        {Add, 0, 0, Any, {Value, 0, 0}},
        {Adc, 0, 0, CarryFlag::Clear, {Value, 0, 0}},
        {Sbb, 0, 0, CarryFlag::Clear, {Value, 0, 0}},
        {Mul, 0, 0, Any, {Value, 0, 0}},
        {Imul, 0, 0, Any, {Value, 0, 0}},
        {Div, 0, 0, Any, {ResultKind::DivideByZero, 0, 0}},
        {Idiv, 0, 0, Any, {ResultKind::DivideByZero, 0, 0}},
        // Sums and differences wrap at 32 bits.
        {Add, 0x1F, 0x1, Any, {Value, 0x20, 0}},
        {Add, 0xFFFFFFFFu, 0x1, Any, {Value, 0, 0}},
        {Adc, 0xFFFFFFFFu, 0x0, CarryFlag::Set, {Value, 0, 0}},
        {Adc, 0x1, 0x2, CarryFlag::Set, {Value, 0x4, 0}},
        {Sub, 0x0, 0x1, Any, {Value, 0xFFFFFFFFu, 0}},
        {Sbb, 0x0, 0x0, CarryFlag::Set, {Value, 0xFFFFFFFFu, 0}},
        {Sbb, 0x0, 0xFFFFFFFFu, CarryFlag::Set, {Value, 0, 0}},
        // Products: the high word makes a pair whenever it is not zero.
        {Mul, 0x2, 0x3, Any, {Value, 0x6, 0}},
        {Mul, 0x00010000u, 0x00010000u, Any, {Pair, 0, 0x1}},
        {Mul, 0xFFFFFFFFu, 0xFFFFFFFFu, Any, {Pair, 0x1, 0xFFFFFFFEu}},
        {Imul, 0xFFFFFFFFu, 0xFFFFFFFFu, Any, {Value, 0x1, 0}},
        {Imul, 0x3, 0xFFFFFFFFu, Any, {Pair, 0xFFFFFFFDu, 0xFFFFFFFFu}},
        {Imul, 0xFFFFFFFFu, 0x1, Any, {Pair, 0xFFFFFFFFu, 0xFFFFFFFFu}},
        {Imul, 0x7FFFFFFFu, 0x2, Any, {Value, 0xFFFFFFFEu, 0}},
        {Imul, 0x80000000u, 0x80000000u, Any, {Pair, 0, 0x40000000u}},
        // Unsigned division: the remainder makes a pair when it is not zero.
        {Div, 0x7, 0x2, Any, {Pair, 0x3, 0x1}},
        {Div, 0xA, 0x5, Any, {Value, 0x2, 0}},
        {Div, 0x3, 0x7, Any, {Pair, 0, 0x3}},
        {Div, 0xFFFFFFFFu, 0x10, Any, {Pair, 0x0FFFFFFFu, 0xF}},
        {Div, 0x0, 0x5, Any, {Value, 0, 0}},
        {Div, 0xFFFFFFFFu, 0x1, Any, {Value, 0xFFFFFFFFu, 0}},
        // Signed division of the zero-extended dividend.
        {Idiv, 0xA, 0xFFFFFFFEu, Any, {Value, 0xFFFFFFFBu, 0}},
        {Idiv, 0x7, 0xFFFFFFFEu, Any, {Pair, 0xFFFFFFFDu, 0x1}},
        {Idiv, 0xFFFFFFFEu, 0x2, Any, {Value, 0x7FFFFFFFu, 0}}, // not sign-extended
        {Idiv, 0xFFFFFFFFu, 0xFFFFFFFEu, Any, {Pair, 0x80000001u, 0x1}},
        {Idiv, 0xFFFFFFFFu, 0x10, Any, {Pair, 0x0FFFFFFFu, 0xF}},
        {Idiv, 0x80000000u, 0xFFFFFFFFu, Any, {Value, 0x80000000u, 0}}, // -2^31 just fits
        {Idiv, 0x7FFFFFFFu, 0x1, Any, {Value, 0x7FFFFFFFu, 0}},
        {Idiv, 0x80000000u, 0x80000000u, Any, {Value, 0xFFFFFFFFu, 0}},
        // The two families whose quotient leaves the signed range.
        {Idiv, 0x80000000u, 0x1, Any, {ResultKind::QuotientOverflow, 0, 0}},
        {Idiv, 0xFFFFFFFFu, 0x1, Any, {ResultKind::QuotientOverflow, 0, 0}},
        {Idiv, 0x80000001u, 0xFFFFFFFFu, Any, {ResultKind::QuotientOverflow, 0, 0}},
        {Idiv, 0xFFFFFFFFu, 0xFFFFFFFFu, Any, {ResultKind::QuotientOverflow, 0, 0}},
    };
    for (const Row& row : rows) {
        char trace[64];
        std::snprintf(trace, sizeof trace, "%08X %s %08X carry %u", row.a, Name(row.operation),
                      row.b, CarryBit(row.carry));
        SCOPED_TRACE(trace);
        ExpectResult(ApplyMathOperation(row.operation, row.a, row.b, row.carry), row.expected);
    }
}

TEST(MathOperations, MatchBitByBitReferences) {
    OperandSamples samples(20240611);
    for (MathOperation operation : AllOperations) {
        SCOPED_TRACE(Name(operation));
        auto check = [&](std::uint32_t a, std::uint32_t b,
                         CarryFlag carry) -> testing::AssertionResult {
            const ArithmeticResult result = ApplyMathOperation(operation, a, b, carry);
            const Expected expected = Reference(operation, a, b, carry);
            if (result.kind == expected.kind && result.eax == expected.eax &&
                result.edx == expected.edx)
                return testing::AssertionSuccess();
            return testing::AssertionFailure()
                   << "a " << Hex(a) << " b " << Hex(b) << " carry " << CarryBit(carry) << ": got "
                   << Name(result.kind) << " " << Hex(result.eax) << " " << Hex(result.edx)
                   << ", expected " << Name(expected.kind) << " " << Hex(expected.eax) << " "
                   << Hex(expected.edx);
        };
        for (std::uint32_t a : BorderOperands) {
            for (std::uint32_t b : BorderOperands) {
                for (CarryFlag carry : BothCarries)
                    ASSERT_TRUE(check(a, b, carry));
            }
        }
        for (int sample = 0; sample < 40000; ++sample) {
            const std::uint32_t a = samples.next(), b = samples.next();
            for (CarryFlag carry : BothCarries)
                ASSERT_TRUE(check(a, b, carry));
        }
    }
}
