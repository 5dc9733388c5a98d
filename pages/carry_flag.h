#pragma once

// The incoming carry of RCR, RCL, ADC and SBB, as the calculating pages read it from their
// carry box. Reading the box is the pages' job.

#include <cstdint>

enum class CarryFlag : std::uint8_t { Clear = 0, Set = 1 };

constexpr std::uint32_t CarryBit(CarryFlag carry) {
    return carry == CarryFlag::Set ? 1u : 0u;
}
