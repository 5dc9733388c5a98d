#include "x86_model.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace model {
namespace {

// A register as its separate bits, bit 0 first.
template <std::size_t Width> using Bits = std::array<bool, Width>;
using Word = Bits<32>;

template <std::size_t Width> Bits<Width> BitsOf(std::uint64_t value) {
    Bits<Width> bits{};
    for (std::size_t index = 0; index < Width; ++index)
        bits[index] = ((value >> index) & 1) != 0;
    return bits;
}

std::uint32_t ValueOf(const Word& bits) {
    std::uint32_t value = 0;
    for (std::size_t index = 0; index < bits.size(); ++index)
        if (bits[index])
            value |= std::uint32_t{1} << index;
    return value;
}

// The low and high words of a wider register.
template <std::size_t Width> Word WordAt(const Bits<Width>& bits, std::size_t first) {
    Word word{};
    for (std::size_t index = 0; index < 32 && first + index < Width; ++index)
        word[index] = bits[first + index];
    return word;
}

template <std::size_t Width> Bits<Width> Widened(const Word& word) {
    Bits<Width> bits{};
    std::copy(word.begin(), word.end(), bits.begin());
    return bits;
}

template <std::size_t Width> bool IsZero(const Bits<Width>& bits) {
    return std::none_of(bits.begin(), bits.end(), [](bool bit) { return bit; });
}

template <std::size_t Width> Bits<Width> Inverted(Bits<Width> bits) {
    for (bool& bit : bits)
        bit = !bit;
    return bits;
}

// A row of full adders, bit 0 first: each sum bit is the parity of the two bits and the
// carry coming in, the carry going out is the majority of the three.
template <std::size_t Width>
Bits<Width> RippleAdd(const Bits<Width>& a, const Bits<Width>& b, bool carry,
                      bool* carry_out = nullptr) {
    Bits<Width> sum{};
    for (std::size_t index = 0; index < Width; ++index) {
        sum[index] = a[index] != b[index] ? !carry : carry;
        carry = (a[index] && b[index]) || (a[index] && carry) || (b[index] && carry);
    }
    if (carry_out != nullptr)
        *carry_out = carry;
    return sum;
}

// Two's complement: every bit inverted, then one added.
template <std::size_t Width> Bits<Width> Negated(const Bits<Width>& bits) {
    return RippleAdd(Inverted(bits), Bits<Width>{}, true);
}

// One place towards bit 0, `incoming` entering at the top; returns the bit that left bit 0.
template <std::size_t Width> bool StepRight(Bits<Width>& bits, bool incoming) {
    const bool leaving = bits[0];
    std::copy(bits.begin() + 1, bits.end(), bits.begin());
    bits[Width - 1] = incoming;
    return leaving;
}

// One place towards the top, `incoming` entering at bit 0; returns the bit that left the top.
template <std::size_t Width> bool StepLeft(Bits<Width>& bits, bool incoming) {
    const bool leaving = bits[Width - 1];
    std::copy_backward(bits.begin(), bits.end() - 1, bits.end());
    bits[0] = incoming;
    return leaving;
}

// The low five bits of a count: how many places a shift or rotation moves.
unsigned PlacesOf(std::uint32_t count) {
    const Word bits = BitsOf<32>(count);
    unsigned places = 0;
    for (unsigned index = 0; index < 5; ++index)
        places += bits[index] ? 1u << index : 0u;
    return places;
}

template <typename Step> std::uint32_t Stepped(std::uint32_t a, std::uint32_t count, Step step) {
    Word bits = BitsOf<32>(a);
    for (unsigned place = 0; place < PlacesOf(count); ++place)
        step(bits);
    return ValueOf(bits);
}

template <typename Combine>
std::uint32_t BitByBit(std::uint32_t a, std::uint32_t b, Combine combine) {
    const Word left = BitsOf<32>(a);
    const Word right = BitsOf<32>(b);
    Word result{};
    for (std::size_t index = 0; index < result.size(); ++index)
        result[index] = combine(left[index], right[index]);
    return ValueOf(result);
}

// Shift and add: for every set bit of the multiplier, the multiplicand moved up to that bit
// is added into the 64-bit product.
Bits<64> ProductOf(const Word& multiplicand, const Word& multiplier) {
    Bits<64> product{};
    Bits<64> addend = Widened<64>(multiplicand);
    for (bool bit : multiplier) {
        if (bit)
            product = RippleAdd(product, addend, false);
        StepLeft(addend, false);
    }
    return product;
}

Registers RegistersOf(const Bits<64>& product) {
    return {ValueOf(WordAt(product, 0)), ValueOf(WordAt(product, 32))};
}

struct LongDivision {
    Word quotient;
    Word remainder;
};

// Restoring division, one dividend bit at a time from the top: the remainder takes in the
// bit, and where the divisor fits into it, the divisor is taken off and the quotient bit
// set. The remainder gets one bit more than a word, as the shift can carry it past 32 bits.
LongDivision DivideRestoring(const Word& dividend, const Word& divisor) {
    const Bits<33> inverted_divisor = Inverted(Widened<33>(divisor));
    Bits<33> remainder{};
    Word quotient{};
    for (std::size_t index = dividend.size(); index-- > 0;) {
        StepLeft(remainder, dividend[index]);
        bool fits = false; // no borrow: remainder >= divisor
        const Bits<33> difference = RippleAdd(remainder, inverted_divisor, true, &fits);
        if (fits) {
            remainder = difference;
            quotient[index] = true;
        }
    }
    return {quotient, WordAt(remainder, 0)};
}

} // namespace

std::uint32_t BitwiseAnd(std::uint32_t a, std::uint32_t b) {
    return BitByBit(a, b, [](bool left, bool right) { return left && right; });
}

std::uint32_t BitwiseOr(std::uint32_t a, std::uint32_t b) {
    return BitByBit(a, b, [](bool left, bool right) { return left || right; });
}

std::uint32_t BitwiseXor(std::uint32_t a, std::uint32_t b) {
    return BitByBit(a, b, [](bool left, bool right) { return left != right; });
}

std::uint32_t BitwiseNot(std::uint32_t a) {
    return ValueOf(Inverted(BitsOf<32>(a)));
}

std::uint32_t Negate(std::uint32_t a) {
    return ValueOf(Negated(BitsOf<32>(a)));
}

// Byte k of the result is byte 3 - k of a.
std::uint32_t ByteSwap(std::uint32_t a) {
    const Word bits = BitsOf<32>(a);
    Word swapped{};
    for (std::size_t byte = 0; byte < 4; ++byte)
        for (std::size_t bit = 0; bit < 8; ++bit)
            swapped[8 * byte + bit] = bits[8 * (3 - byte) + bit];
    return ValueOf(swapped);
}

std::uint32_t ShiftArithmeticRight(std::uint32_t a, std::uint32_t count) {
    return Stepped(a, count, [](Word& bits) { StepRight(bits, bits[31]); });
}

std::uint32_t ShiftLogicalRight(std::uint32_t a, std::uint32_t count) {
    return Stepped(a, count, [](Word& bits) { StepRight(bits, false); });
}

std::uint32_t ShiftLeft(std::uint32_t a, std::uint32_t count) {
    return Stepped(a, count, [](Word& bits) { StepLeft(bits, false); });
}

std::uint32_t RotateRight(std::uint32_t a, std::uint32_t count) {
    return Stepped(a, count, [](Word& bits) { StepRight(bits, bits[0]); });
}

std::uint32_t RotateLeft(std::uint32_t a, std::uint32_t count) {
    return Stepped(a, count, [](Word& bits) { StepLeft(bits, bits[31]); });
}

std::uint32_t RotateThroughCarryRight(std::uint32_t a, std::uint32_t count, bool carry) {
    return Stepped(a, count, [&carry](Word& bits) { carry = StepRight(bits, carry); });
}

std::uint32_t RotateThroughCarryLeft(std::uint32_t a, std::uint32_t count, bool carry) {
    return Stepped(a, count, [&carry](Word& bits) { carry = StepLeft(bits, carry); });
}

std::uint32_t AddWithCarry(std::uint32_t a, std::uint32_t b, bool carry) {
    return ValueOf(RippleAdd(BitsOf<32>(a), BitsOf<32>(b), carry));
}

// a - b - borrow is a + NOT b + 1 - borrow: the adder's carry in is 1 without a borrow.
std::uint32_t SubtractWithBorrow(std::uint32_t a, std::uint32_t b, bool borrow) {
    return ValueOf(RippleAdd(BitsOf<32>(a), Inverted(BitsOf<32>(b)), !borrow));
}

Registers MultiplyUnsigned(std::uint32_t a, std::uint32_t b) {
    return RegistersOf(ProductOf(BitsOf<32>(a), BitsOf<32>(b)));
}

// The magnitudes multiplied, and the product negated when exactly one factor is negative.
Registers MultiplySigned(std::uint32_t a, std::uint32_t b) {
    const Word left = BitsOf<32>(a);
    const Word right = BitsOf<32>(b);
    const Bits<64> magnitude =
        ProductOf(left[31] ? Negated(left) : left, right[31] ? Negated(right) : right);
    return RegistersOf(left[31] != right[31] ? Negated(magnitude) : magnitude);
}

Division DivideUnsigned(std::uint32_t a, std::uint32_t b) {
    const Word divisor = BitsOf<32>(b);
    if (IsZero(divisor))
        return {DivisionOutcome::ZeroDivisor, {}};
    const LongDivision division = DivideRestoring(BitsOf<32>(a), divisor);
    return {DivisionOutcome::Done, {ValueOf(division.quotient), ValueOf(division.remainder)}};
}

// The dividend is not negative, so the quotient takes the divisor's sign and the remainder
// none. A quotient of magnitude 2^31 fits only as a negative one.
Division DivideSigned(std::uint32_t a, std::uint32_t b) {
    const Word divisor = BitsOf<32>(b);
    if (IsZero(divisor))
        return {DivisionOutcome::ZeroDivisor, {}};
    const bool is_negative = divisor[31];
    const LongDivision division =
        DivideRestoring(BitsOf<32>(a), is_negative ? Negated(divisor) : divisor);
    const Word& quotient = division.quotient;
    const bool is_below_two_to_the_31 = !quotient[31];
    const bool is_two_to_the_31 = quotient[31] && std::none_of(quotient.begin(), quotient.end() - 1,
                                                               [](bool bit) { return bit; });
    if (!is_below_two_to_the_31 && !(is_negative && is_two_to_the_31))
        return {DivisionOutcome::QuotientTooLarge, {}};
    return {DivisionOutcome::Done,
            {ValueOf(is_negative ? Negated(quotient) : quotient), ValueOf(division.remainder)}};
}

} // namespace model
