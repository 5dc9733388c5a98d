#include "pages/logic_operations.h"

#include <bit>

namespace {

constexpr std::uint64_t Low33Bits = (std::uint64_t{1} << 33) - 1;

std::uint32_t ShiftArithmeticRight(std::uint32_t value, unsigned count) {
    // Shifting the complement of a negative value fills with zeros, whose complement is the
    // copies of the sign bit.
    if ((value & 0x80000000u) != 0)
        return ~(~value >> count);
    return value >> count;
}

// The 33-bit quantity with the carry above bit 31 of value.
std::uint64_t WithCarry(std::uint32_t value, CarryFlag carry) {
    return (std::uint64_t{CarryBit(carry)} << 32) | value;
}

// Rotates through the carry; count is below 32, so both shifts stay below 64 places.
std::uint32_t RotateCarryRight(std::uint32_t value, unsigned count, CarryFlag carry) {
    const std::uint64_t wide = WithCarry(value, carry);
    return static_cast<std::uint32_t>(((wide >> count) | (wide << (33 - count))) & Low33Bits);
}

std::uint32_t RotateCarryLeft(std::uint32_t value, unsigned count, CarryFlag carry) {
    const std::uint64_t wide = WithCarry(value, carry);
    return static_cast<std::uint32_t>(((wide << count) | (wide >> (33 - count))) & Low33Bits);
}

} // namespace

std::uint32_t ApplyLogicOperation(LogicOperation operation, std::uint32_t a, std::uint32_t b,
                                  CarryFlag carry) {
    const unsigned count = b % 32;
    switch (operation) {
    case LogicOperation::And:
        return a & b;
    case LogicOperation::Or:
        return a | b;
    case LogicOperation::Xor:
        return a ^ b;
    case LogicOperation::Sar:
        return ShiftArithmeticRight(a, count);
    case LogicOperation::Shr:
        return a >> count;
    case LogicOperation::Shl:
        return a << count;
    case LogicOperation::Ror:
        return std::rotr(a, static_cast<int>(count));
    case LogicOperation::Rcr:
        return RotateCarryRight(a, count, carry);
    case LogicOperation::Rol:
        return std::rotl(a, static_cast<int>(count));
    case LogicOperation::Rcl:
        return RotateCarryLeft(a, count, carry);
    }
    return a;
}

std::uint32_t ApplyUnaryOperation(UnaryOperation operation, std::uint32_t a) {
    switch (operation) {
    case UnaryOperation::Not:
        return ~a;
    case UnaryOperation::Neg:
        return 0u - a;
    case UnaryOperation::Bswap:
        return (a >> 24) | ((a >> 8) & 0x0000FF00u) | ((a << 8) & 0x00FF0000u) | (a << 24);
    }
    return a;
}
