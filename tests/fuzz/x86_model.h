#pragma once

// The checker's own reckoning of what the x86 instructions of the calculating pages leave
// in EAX and EDX, worked out one bit at a time as the hardware does: a row of full adders,
// shift-and-add multiplication, restoring division, shifts and rotations one place at a
// time through the carry. It shares nothing with the pages' operations, so that a fault in
// those cannot hide in it. Which field holds which operand, and the result texts, are
// page_model.h's.

#include <cstdint>

namespace model {

struct Registers {
    std::uint32_t eax = 0; // the low half of a product, a quotient
    std::uint32_t edx = 0; // the high half of a product, a remainder
};

enum class DivisionOutcome : std::uint8_t { Done, ZeroDivisor, QuotientTooLarge };

struct Division {
    DivisionOutcome outcome = DivisionOutcome::Done;
    Registers registers; // when Done
};

std::uint32_t BitwiseAnd(std::uint32_t a, std::uint32_t b);
std::uint32_t BitwiseOr(std::uint32_t a, std::uint32_t b);
std::uint32_t BitwiseXor(std::uint32_t a, std::uint32_t b);
std::uint32_t BitwiseNot(std::uint32_t a);
std::uint32_t Negate(std::uint32_t a);
std::uint32_t ByteSwap(std::uint32_t a);

// The shifts and rotations move by the low five bits of count, RCR and RCL included.
std::uint32_t ShiftArithmeticRight(std::uint32_t a, std::uint32_t count);
std::uint32_t ShiftLogicalRight(std::uint32_t a, std::uint32_t count);
std::uint32_t ShiftLeft(std::uint32_t a, std::uint32_t count);
std::uint32_t RotateRight(std::uint32_t a, std::uint32_t count);
std::uint32_t RotateLeft(std::uint32_t a, std::uint32_t count);
std::uint32_t RotateThroughCarryRight(std::uint32_t a, std::uint32_t count, bool carry);
std::uint32_t RotateThroughCarryLeft(std::uint32_t a, std::uint32_t count, bool carry);

// ADD and ADC; SUB and SBB, whose borrow is the carry flag.
std::uint32_t AddWithCarry(std::uint32_t a, std::uint32_t b, bool carry);
std::uint32_t SubtractWithBorrow(std::uint32_t a, std::uint32_t b, bool borrow);

// MUL and IMUL: the 64-bit product in edx:eax.
Registers MultiplyUnsigned(std::uint32_t a, std::uint32_t b);
Registers MultiplySigned(std::uint32_t a, std::uint32_t b);

// DIV and IDIV of the dividend 0:a (IDIV too takes a as 0 to 4294967295); IDIV's divisor is
// signed, its quotient truncated toward zero and its remainder never negative.
Division DivideUnsigned(std::uint32_t a, std::uint32_t b);
Division DivideSigned(std::uint32_t a, std::uint32_t b);

} // namespace model
