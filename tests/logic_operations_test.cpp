#include "pages/logic_operations.h"

#include "operand_samples.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

const char* Name(LogicOperation operation) {
    static const char* const names[] = {"AND", "OR",  "XOR", "SAR", "SHR",
                                        "SHL", "ROR", "RCR", "ROL", "RCL"};
    return names[static_cast<int>(operation)];
}

// The reference: the instruction carried out one place at a time, count times.
std::uint32_t OnePlaceAtATime(LogicOperation operation, std::uint32_t value, unsigned count,
                              CarryFlag carry_in) {
    std::uint32_t carry = CarryBit(carry_in);
    for (unsigned step = 0; step < count; ++step) {
        const std::uint32_t low_bit = value & 1u;
        const std::uint32_t high_bit = value >> 31;
        switch (operation) {
        case LogicOperation::Sar:
            value = (value >> 1) | (high_bit << 31);
            break;
        case LogicOperation::Shr:
            value >>= 1;
            break;
        case LogicOperation::Shl:
            value <<= 1;
            break;
        case LogicOperation::Ror:
            value = (value >> 1) | (low_bit << 31);
            break;
        case LogicOperation::Rol:
            value = (value << 1) | high_bit;
            break;
        case LogicOperation::Rcr:
            value = (value >> 1) | (carry << 31);
            carry = low_bit;
            break;
        case LogicOperation::Rcl:
            value = (value << 1) | carry;
            carry = high_bit;
            break;
        default:
            ADD_FAILURE() << "not a shift or rotate";
            return 0;
        }
    }
    return value;
}

constexpr LogicOperation ShiftsAndRotates[] = {
    LogicOperation::Sar, LogicOperation::Shr, LogicOperation::Shl, LogicOperation::Ror,
    LogicOperation::Rcr, LogicOperation::Rol, LogicOperation::Rcl,
};

} // namespace

TEST(LogicOperations, EdgeCases) {
    struct Row {
        LogicOperation operation;
        std::uint32_t a;
        std::uint32_t b;
        CarryFlag carry;
        std::uint32_t result;
    };
    constexpr CarryFlag Any = CarryFlag::Set; // rows that must not look at the carry set it
    const Row rows[] = {
        // The count is the low five bits of B: 20 counts 0, 21 counts 1, FF counts 31.
        {LogicOperation::Shl, 0x00000001u, 0x1F, Any, 0x80000000u},
        {LogicOperation::Shl, 0x00000001u, 0x20, Any, 0x00000001u},
        {LogicOperation::Shl, 0x00000001u, 0x21, Any, 0x00000002u},
        {LogicOperation::Shl, 0x00000001u, 0xFF, Any, 0x80000000u},
        {LogicOperation::Sar, 0x80000000u, 0x04, Any, 0xF8000000u},
        {LogicOperation::Sar, 0x80000000u, 0x1F, Any, 0xFFFFFFFFu},
        {LogicOperation::Sar, 0x80000000u, 0x20, Any, 0x80000000u}, // no full sign fill
        {LogicOperation::Sar, 0x40000000u, 0x1E, Any, 0x00000001u},
        {LogicOperation::Shr, 0x80000000u, 0x1F, Any, 0x00000001u},
        {LogicOperation::Ror, 0x12345678u, 0x08, Any, 0x78123456u},
        {LogicOperation::Rol, 0x12345678u, 0x08, Any, 0x34567812u},
        {LogicOperation::Ror, 0x12345678u, 0x40, Any, 0x12345678u},
        // Rotating through the carry: 33 bits, the carry above bit 31.
        {LogicOperation::Rcr, 0x00000001u, 0x01, CarryFlag::Set, 0x80000000u},
        {LogicOperation::Rcr, 0x00000001u, 0x01, CarryFlag::Clear, 0x00000000u},
        {LogicOperation::Rcl, 0x80000000u, 0x01, CarryFlag::Clear, 0x00000000u},
        {LogicOperation::Rcl, 0x80000000u, 0x01, CarryFlag::Set, 0x00000001u},
        {LogicOperation::Rcl, 0x00000000u, 0x1F, CarryFlag::Set, 0x40000000u},
        {LogicOperation::Rcr, 0x12345678u, 0x20, CarryFlag::Set, 0x12345678u}, // mod 32, not 33
        {LogicOperation::Rcr, 0x00000000u, 0x1F, CarryFlag::Set, 0x00000002u},
        {LogicOperation::Rcl, 0xFFFFFFFFu, 0x1F, CarryFlag::Clear, 0xBFFFFFFFu},
        {LogicOperation::And, 0x00000000u, 0x00000000u, Any, 0x00000000u},
        {LogicOperation::And, 0x1Fu, 0x3u, Any, 0x3u},
        {LogicOperation::Or, 0xF0F00000u, 0x0000F0F0u, Any, 0xF0F0F0F0u},
        {LogicOperation::Xor, 0xFFFF0000u, 0xF0F0F0F0u, Any, 0x0F0FF0F0u},
    };
    for (const Row& row : rows) {
        char trace[64];
        std::snprintf(trace, sizeof trace, "%08X %s %X carry %u", row.a, Name(row.operation), row.b,
                      CarryBit(row.carry));
        SCOPED_TRACE(trace);
        EXPECT_EQ(ApplyLogicOperation(row.operation, row.a, row.b, row.carry), row.result);
    }
}

TEST(LogicOperations, ShiftsAndRotatesMatchOnePlaceAtATime) {
    OperandSamples samples(20240611);
    for (LogicOperation operation : ShiftsAndRotates) {
        SCOPED_TRACE(Name(operation));
        auto check = [&](std::uint32_t a, std::uint32_t b,
                         CarryFlag carry) -> testing::AssertionResult {
            const std::uint32_t result = ApplyLogicOperation(operation, a, b, carry);
            const std::uint32_t expected = OnePlaceAtATime(operation, a, b % 32, carry);
            if (result == expected)
                return testing::AssertionSuccess();
            return testing::AssertionFailure()
                   << "a " << Hex(a) << " b " << Hex(b) << " carry " << CarryBit(carry) << ": got "
                   << Hex(result) << ", expected " << Hex(expected);
        };
        for (std::uint32_t a : BorderOperands) {
            for (std::uint32_t b = 0; b < 256; ++b) {
                for (CarryFlag carry : BothCarries)
                    ASSERT_TRUE(check(a, b, carry));
            }
        }
        for (int sample = 0; sample < 60000; ++sample) {
            const std::uint32_t a = samples.next();
            const std::uint32_t b = samples.next_count();
            for (CarryFlag carry : BothCarries)
                ASSERT_TRUE(check(a, b, carry));
        }
    }
}

TEST(UnaryOperations, EdgeCases) {
    struct Row {
        UnaryOperation operation;
        std::uint32_t a;
        std::uint32_t result;
    };
    const Row rows[] = {
        {UnaryOperation::Not, 0x00000000u, 0xFFFFFFFFu},
        {UnaryOperation::Not, 0x12345678u, 0xEDCBA987u},
        {UnaryOperation::Neg, 0x00000000u, 0x00000000u},
        {UnaryOperation::Neg, 0x00000001u, 0xFFFFFFFFu},
        {UnaryOperation::Neg, 0x80000000u, 0x80000000u}, // the one negative without a positive
        {UnaryOperation::Neg, 0x7FFFFFFFu, 0x80000001u},
        {UnaryOperation::Bswap, 0x12345678u, 0x78563412u},
        {UnaryOperation::Bswap, 0x000000FFu, 0xFF000000u},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.a);
        EXPECT_EQ(ApplyUnaryOperation(row.operation, row.a), row.result);
    }
}

TEST(UnaryOperations, NegAndBswapMatchTheirDefinitions) {
    OperandSamples samples(5);
    for (int sample = 0; sample < 200000; ++sample) {
        const std::uint32_t a = samples.next();
        // The two's complement: complement, then add one.
        ASSERT_EQ(ApplyUnaryOperation(UnaryOperation::Neg, a), ~a + 1u);
        // Byte i of the result is byte 3 - i of A.
        const std::uint32_t swapped = ApplyUnaryOperation(UnaryOperation::Bswap, a);
        for (int byte = 0; byte < 4; ++byte)
            ASSERT_EQ((swapped >> (8 * byte)) & 0xFF, (a >> (8 * (3 - byte))) & 0xFF);
    }
}
