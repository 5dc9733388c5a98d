#pragma once

// Operands for the property tests of the operation pages: a fixed-seed stream that mixes
// uniform values with the borders of the signed and unsigned ranges and their near
// neighbours, where carries, signs and overflows turn; both carries in, and values written
// for failure messages.

#include "pages/carry_flag.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

inline constexpr CarryFlag BothCarries[] = {CarryFlag::Clear, CarryFlag::Set};

// Eight hex digits, for failure messages.
inline std::string Hex(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

inline constexpr std::array<std::uint32_t, 5> BorderOperands = {
    0x00000000u, 0x00000001u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu};

class OperandSamples {
  public:
    explicit OperandSamples(std::uint32_t seed) : m_engine(seed) {}

    std::uint32_t next() {
        const std::uint32_t choice = m_engine() % 8;
        if (choice == 0)
            return BorderOperands[m_engine() % BorderOperands.size()];
        if (choice == 1) // a border moved by a few units either way
            return BorderOperands[m_engine() % BorderOperands.size()] + (m_engine() % 9) - 4;
        if (choice == 2)
            return m_engine() % 256;
        return m_engine();
    }

    // A count as a two-digit count field gives it, or now and then any 32-bit value.
    std::uint32_t next_count() { return m_engine() % 4 == 0 ? m_engine() : m_engine() % 256; }

  private:
    std::mt19937 m_engine;
};
