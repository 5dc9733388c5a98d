#pragma once

// What the x86 logical, shift, rotate and byte-order instructions leave in a 32-bit
// register, for the logical page's rows. Pure computation on values: reading the operand
// fields, the carry box and writing results is the page's job. The outgoing carry and the
// other flags are not computed.

#include "pages/carry_flag.h"

#include <cstdint>

// The rows that take a destination A and a source or count B.
enum class LogicOperation : std::uint8_t { And, Or, Xor, Sar, Shr, Shl, Ror, Rcr, Rol, Rcl };

// The rows that take one operand.
enum class UnaryOperation : std::uint8_t { Not, Neg, Bswap };

// A op B. The shift and rotate rows count n = B mod 32 places on every row, RCR and RCL
// included, so a count of 20, 40 ... E0 leaves A as it is and 21 moves one place. RCR and
// RCL rotate the 33-bit quantity carry:A and keep its low 32 bits: RCR of 00000001 by 1
// with the carry set gives 80000000. The carry is read by RCR and RCL only.
std::uint32_t ApplyLogicOperation(LogicOperation operation, std::uint32_t a, std::uint32_t b,
                                  CarryFlag carry);

// NOT A, NEG A (0 - A modulo 2^32, so 80000000 stays 80000000), BSWAP A (12345678 gives
// 78563412).
std::uint32_t ApplyUnaryOperation(UnaryOperation operation, std::uint32_t a);
