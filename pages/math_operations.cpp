#include "pages/math_operations.h"

#include <cstdint>

namespace {

// The low and high words of a 64-bit result, Pair when the high word is not zero.
ArithmeticResult FromWords(std::uint32_t low, std::uint32_t high) {
    return {high != 0 ? ResultKind::Pair : ResultKind::Value, low, high};
}

ArithmeticResult FromProduct(std::uint64_t product) {
    return FromWords(static_cast<std::uint32_t>(product),
                     static_cast<std::uint32_t>(product >> 32));
}

ArithmeticResult Single(std::uint32_t value) {
    return {ResultKind::Value, value, 0};
}

std::int64_t Signed(std::uint32_t value) {
    return static_cast<std::int32_t>(value);
}

ArithmeticResult DivideUnsigned(std::uint32_t a, std::uint32_t b) {
    if (b == 0)
        return {ResultKind::DivideByZero, 0, 0};
    return FromWords(a / b, a % b);
}

ArithmeticResult DivideSigned(std::uint32_t a, std::uint32_t b) {
    if (b == 0)
        return {ResultKind::DivideByZero, 0, 0};
    // In 64 bits neither the division nor the product below can overflow: the dividend is
    // non-negative and at most 2^32 - 1, the divisor's magnitude at most 2^31.
    const std::int64_t dividend = a;
    const std::int64_t divisor = Signed(b);
    const std::int64_t quotient = dividend / divisor;
    if (quotient < INT32_MIN || quotient > INT32_MAX)
        return {ResultKind::QuotientOverflow, 0, 0};
    const std::int64_t remainder = dividend - quotient * divisor;
    return FromWords(static_cast<std::uint32_t>(quotient), static_cast<std::uint32_t>(remainder));
}

} // namespace

ArithmeticResult ApplyMathOperation(MathOperation operation, std::uint32_t a, std::uint32_t b,
                                    CarryFlag carry) {
    switch (operation) {
    case MathOperation::Add:
        return Single(a + b);
    case MathOperation::Adc:
        return Single(a + b + CarryBit(carry));
    case MathOperation::Sub:
        return Single(a - b);
    case MathOperation::Sbb:
        return Single(a - b - CarryBit(carry));
    case MathOperation::Mul:
        return FromProduct(std::uint64_t{a} * b);
    case MathOperation::Imul:
        return FromProduct(static_cast<std::uint64_t>(Signed(a) * Signed(b)));
    case MathOperation::Div:
        return DivideUnsigned(a, b);
    case MathOperation::Idiv:
        return DivideSigned(a, b);
    }
    return Single(a);
}
