// libFuzzer target over the routines without a user interface: the hexadecimal codec and
// the binary, octal, decimal and byte-pair conversions, each checked against a formatting
// or parsing written here independently (mostly the C library's own). Texts are handed
// over in heap blocks of exactly their size, so that AddressSanitizer sees any byte read
// past what a routine was given.
//
// Input: a 32-bit value, a byte that picks counts and spacing, then arbitrary text.

#include "byte_source.h"
#include "require.h"

#include "convert/binary_text.h"
#include "convert/decimal_text.h"
#include "convert/hex_pairs.h"
#include "convert/octal_text.h"
#include "convert/reverse_string.h"
#include "operand/hex_codec.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

// A heap block holding exactly the given bytes: no terminator unless they contain one.
std::unique_ptr<char[]> ExactCopy(const std::string& bytes) {
    std::unique_ptr<char[]> block(new char[bytes.size()]);
    std::memcpy(block.get(), bytes.data(), bytes.size());
    return block;
}

std::string Printed(const char* format, std::uint32_t value) {
    char text[40];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

bool IsUpperHexDigit(char character) {
    return (character >= '0' && character <= '9') || (character >= 'A' && character <= 'F');
}

// The operand reading: shift in each digit; a character that is no digit leaves the
// shifted value, that is one zero digit behind those read.
std::uint32_t ExpectedHexValue(const std::string& text, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t index = 0; index < count; ++index) {
        value <<= 4;
        const char character = text[index];
        if (!IsUpperHexDigit(character))
            return value;
        value |= static_cast<std::uint32_t>(
            std::strtoul(std::string(1, character).c_str(), nullptr, 16));
    }
    return value;
}

// Each character's code less '0', as a byte, OR-ed into the doubled value; a zero byte adds 0.
std::uint32_t ExpectedBinaryValue(const std::string& text, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t index = 0; index < count; ++index) {
        const auto code = static_cast<std::uint8_t>(text[index]);
        value = value * 2 | (code == 0 ? 0u : static_cast<std::uint8_t>(code - 48));
    }
    return value;
}

void CheckHexText(std::uint32_t value) {
    char text[9];
    FormatHex32(value, text);
    const std::string expected = Printed("%08X", value);
    Require(text == expected, "FormatHex32 of " + expected + " gave " + text);
    Require(ParseHex32(text, 8) == value, "ParseHex32 does not read back " + expected);
    for (std::uint32_t count = 0; count < 8; ++count) {
        const std::uint32_t leading = count == 0 ? 0 : value >> (4 * (8 - count));
        Require(ParseHex32(text, count) == leading,
                "the first " + std::to_string(count) + " digits of " + expected);
    }
    // Only the last eight digits of a longer text count.
    const std::string longer = "FEDCBA98" + expected;
    Require(ParseHex32(ExactCopy(longer).get(), 16) == value, "sixteen digits ending " + expected);
}

void CheckBinaryText(std::uint32_t value) {
    char text[33];
    FormatBinary32(value, text);
    const std::string expected = std::bitset<32>(value).to_string();
    Require(text == expected, "FormatBinary32 of " + Printed("%08X", value) + " gave " + text);
    Require(ParseBinary32(text, 32) == value, "ParseBinary32 does not read back " + expected);
    const std::string longer = "1011" + expected;
    Require(ParseBinary32(ExactCopy(longer).get(), 36) == value, "36 digits ending " + expected);
}

void CheckOctalAndDecimal(std::uint32_t value) {
    char scratch[OctalScratchSize];
    FormatOctal(value, scratch);
    char shown[OctalScratchSize];
    ReverseString(scratch, shown);
    // The page shows at least two octal digits: 00 to 07, then the plain octal form.
    Require(shown == Printed("%02o", value),
            "octal of " + Printed("%u", value) + " shown as " + shown);
    Require(std::all_of(scratch + std::strlen(scratch), scratch + OctalScratchSize,
                        [](char byte) { return byte == '\0'; }),
            "the octal scratch is not cleared behind the digits");

    char decimal[DecimalTextSize];
    FormatSignedDecimal(value, decimal);
    Require(decimal == Printed("%d", value), "signed decimal of " + Printed("%08X", value));
    FormatUnsignedDecimal(value, decimal);
    Require(decimal == Printed("%u", value), "unsigned decimal of " + Printed("%08X", value));
}

void CheckHexParse(const std::string& text, std::uint8_t selector) {
    const std::size_t count = selector % (text.size() + 1);
    Require(ParseHex32(ExactCopy(text.substr(0, count)).get(), static_cast<std::uint32_t>(count)) ==
                ExpectedHexValue(text, count),
            "ParseHex32 of " + std::to_string(count) + " bytes");
    // A count beyond the text is fine when a foreign character stops the parse first:
    // nothing behind it is read.
    const auto stop = std::find_if_not(text.begin(), text.end(), IsUpperHexDigit);
    if (stop != text.end()) {
        const std::string stopped(text.begin(), stop + 1);
        for (std::uint32_t beyond : {static_cast<std::uint32_t>(stopped.size()), 0xFFFFFFFFu})
            Require(ParseHex32(ExactCopy(stopped).get(), beyond) ==
                        ExpectedHexValue(stopped, stopped.size()),
                    "ParseHex32 with a count past its stopping character");
    }
}

void CheckBinaryParse(const std::string& text, std::uint8_t selector) {
    if (text.empty())
        return;
    const std::size_t count = 1 + selector % text.size();
    Require(ParseBinary32(ExactCopy(text.substr(0, count)).get(),
                          static_cast<std::uint32_t>(count)) == ExpectedBinaryValue(text, count),
            "ParseBinary32 of " + std::to_string(count) + " bytes");
}

void CheckReverse(const std::string& text) {
    const std::string terminated = text.substr(0, text.find('\0')) + '\0';
    const std::unique_ptr<char[]> source = ExactCopy(terminated);
    std::unique_ptr<char[]> destination(new char[terminated.size()]);
    Require(ReverseString(source.get(), destination.get()) == destination.get(),
            "ReverseString returns its destination");
    std::string expected = terminated.substr(0, terminated.size() - 1);
    std::reverse(expected.begin(), expected.end());
    Require(destination.get() == expected,
            "ReverseString of " + std::to_string(expected.size()) + " bytes");
}

using PairBuffer = char[HexPairBufferSize];

// A heap block of exactly one pair buffer, so that a read past its end is caught.
struct ExactPairBuffer {
    std::unique_ptr<char[]> block{new char[HexPairBufferSize]()};
    PairBuffer& get() { return *reinterpret_cast<PairBuffer*>(block.get()); }
};

enum class InnerSpace : std::uint8_t { No, Yes }; // "4 1" rather than "41"

std::string PairsOf(const std::string& bytes, const char* separator,
                    InnerSpace inner = InnerSpace::No) {
    std::string pairs;
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        if (index > 0)
            pairs += separator;
        std::string pair = Printed("%02X", static_cast<std::uint8_t>(bytes[index]));
        if (inner == InnerSpace::Yes)
            pair.insert(1, " ");
        pairs += pair;
    }
    return pairs;
}

std::string WithDotsForZeros(std::string bytes) {
    std::replace(bytes.begin(), bytes.end(), '\0', '.');
    return bytes;
}

std::string Decoded(const std::string& pair_text, std::uint32_t count) {
    ExactPairBuffer pairs;
    std::memcpy(pairs.block.get(), pair_text.data(),
                std::min<std::size_t>(pair_text.size(), HexPairBufferSize));
    ExactPairBuffer decoded;
    const int length = DecodeHexPairs(pairs.get(), count, decoded.get());
    Require(length >= 0 && length < HexPairBufferSize &&
                std::strlen(decoded.block.get()) == static_cast<std::size_t>(length),
            "DecodeHexPairs returns the length of what it wrote");
    return decoded.block.get();
}

// Bytes written as pairs, in any of the spacings that typing and deleting leave, decode to
// the same bytes with each zero shown as '.'.
void CheckPairDecoding(const std::string& text, std::uint8_t selector) {
    struct Spacing {
        const char* separator;
        InnerSpace inner;
        std::size_t most_bytes; // that still fit 191 characters
    };
    const Spacing spacings[] = {
        {" ", InnerSpace::No, 64}, // as typed
        {"", InnerSpace::No, 95},  // the spaces deleted
        {"  ", InnerSpace::No, 48},
        {" ", InnerSpace::Yes, 48},
    };
    const Spacing& spacing = spacings[selector % std::size(spacings)];
    const std::string bytes = text.substr(0, spacing.most_bytes);
    const std::string pairs = PairsOf(bytes, spacing.separator, spacing.inner);
    const auto count = static_cast<std::uint32_t>(pairs.size());
    const std::string expected = count < 2 ? std::string() : WithDotsForZeros(bytes);
    Require(Decoded(pairs, count) == expected, "decoding the pairs " + pairs);
    // An unpaired last digit is ignored.
    if (!pairs.empty() && pairs.size() < HexPairBufferSize - 1)
        Require(Decoded(pairs + "7", count + 1) == expected, "decoding " + pairs + " and 7");
}

// Any bytes at all, terminated or not, decode without a read outside the buffer; what comes
// out follows the digit rule by character code alone.
void CheckArbitraryDecoding(const std::string& text, std::uint32_t count) {
    const std::string buffer = text.substr(0, HexPairBufferSize);
    std::string expected;
    if (count >= 2 && !buffer.empty() && buffer[0] != ' ') {
        std::string digits;
        for (char character : buffer.substr(0, buffer.find('\0')))
            if (character != ' ')
                digits += character;
        auto value = [](char digit) {
            auto code = static_cast<std::uint8_t>(static_cast<std::uint8_t>(digit) - 48);
            return code > 9 ? static_cast<std::uint8_t>(code - 7) : code;
        };
        for (std::size_t index = 0; index + 1 < digits.size(); index += 2)
            expected += static_cast<char>(value(digits[index]) * 16 + value(digits[index + 1]));
    }
    Require(Decoded(buffer, count) == WithDotsForZeros(expected), "decoding arbitrary bytes");
}

// Text to pairs: the first 35 characters, each as two upper-case digits, one space between;
// decoding the pairs gives those characters back.
void CheckEncoding(const std::string& text) {
    const std::string terminated = text.substr(0, text.find('\0')) + '\0';
    const std::unique_ptr<char[]> source = ExactCopy(terminated);
    ExactPairBuffer pairs;
    const int length = EncodeHexPairs(source.get(), pairs.get());
    const std::string encoded = terminated.substr(0, terminated.size() - 1).substr(0, 35);
    const std::string expected = PairsOf(encoded, " ");
    Require(pairs.block.get() == expected && length == static_cast<int>(expected.size()),
            "encoding " + std::to_string(encoded.size()) + " characters");
    Require(Decoded(expected, static_cast<std::uint32_t>(length)) == encoded,
            "decoding what was encoded");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputBytes input({data, size});
    const std::uint32_t value = input.next32();
    const std::uint8_t selector = input.next();
    const std::string text = input.take(size);

    CheckHexText(value);
    CheckBinaryText(value);
    CheckOctalAndDecimal(value);
    CheckHexParse(text, selector);
    CheckBinaryParse(text, selector);
    CheckReverse(text);
    CheckPairDecoding(text, selector);
    CheckArbitraryDecoding(text, value);
    CheckEncoding(text);
    return 0;
}
