#pragma once

// What the x86 add, subtract, multiply and divide instructions leave in EAX and EDX, for
// the arithmetic page's rows. Pure computation on values: reading the operand fields and
// the carry box, and turning a result into text, is the page's job. Flags are not computed.

#include "pages/carry_flag.h"

#include <cstdint>

enum class MathOperation : std::uint8_t { Add, Adc, Sub, Sbb, Mul, Imul, Div, Idiv };

enum class ResultKind : std::uint8_t {
    Value,            // eax alone: a sum or difference, or edx came out zero
    Pair,             // eax and a non-zero edx: the high half of a product, a remainder
    DivideByZero,     // DIV or IDIV by 0; eax and edx are 0
    QuotientOverflow, // IDIV whose quotient does not fit in 32 signed bits; eax, edx are 0
};

struct ArithmeticResult {
    ResultKind kind = ResultKind::Value;
    std::uint32_t eax = 0; // the sum, difference, low half of the product or quotient
    std::uint32_t edx = 0; // the high half of the product or the remainder
};

// A op B, modulo 2^32 for ADD to SBB (ADC adds the carry, SBB subtracts it). MUL and IMUL
// give the 64-bit product in edx:eax, unsigned or of two's-complement operands; Pair
// whenever edx is not zero, so every negative IMUL product is a Pair with edx FFFFFFFF.
// DIV divides unsigned A by B. IDIV divides A, taken as the non-negative 0 to 4294967295
// (not sign-extended), by B as a signed number; the quotient is truncated toward zero and
// the remainder is A - quotient * B, never negative: FFFFFFFF IDIV FFFFFFFE gives 80000001
// remainder 1. Its quotient overflows for B = 1 with A >= 80000000 and for B = FFFFFFFF
// with A >= 80000001; 80000000 IDIV FFFFFFFF gives 80000000.
ArithmeticResult ApplyMathOperation(MathOperation operation, std::uint32_t a, std::uint32_t b,
                                    CarryFlag carry);
