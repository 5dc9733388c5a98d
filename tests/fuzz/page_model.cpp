#include "page_model.h"

#include "x86_model.h"

#include "pages/logic_page.h"
#include "pages/math_page.h"
#include "platform/backends/headless/headless_backend.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace model {
namespace {

constexpr std::string_view Digits = "0123456789ABCDEF";

// The characters of a field that the page reads: a read of n characters.
constexpr std::size_t FullOperandRead = 8;  // WM_GETTEXT of 9
constexpr std::size_t LongOperandRead = 49; // GetDlgItemText of 50
constexpr std::size_t UpdateRead = 35;      // the conversion page's update notifications
constexpr std::size_t DecimalRead = 15;     // its decimal and octal forms
constexpr std::size_t PairFieldRead = 191;  // its byte pairs

constexpr Row TwoOperands(const char* name, Instruction instruction, TwoOperandRowIds ids,
                          int carry_box, std::size_t read_length) {
    return {name,         instruction,  ids.button(), ids.first(),
            ids.second(), ids.result(), carry_box,    read_length};
}

constexpr Row OneOperand(const char* name, Instruction instruction, OneOperandRowIds ids) {
    return {name, instruction, ids.button(), ids.operand(), 0, ids.result(), 0, LongOperandRead};
}

// Written out from the pages' description, with the ids the pages name, so that a page that
// drifts from it shows.
constexpr Row RowTable[] = {
    TwoOperands("AND", Instruction::And, AndRow, 0, FullOperandRead),
    TwoOperands("OR", Instruction::Or, OrRow, 0, FullOperandRead),
    TwoOperands("XOR", Instruction::Xor, XorRow, 0, FullOperandRead),
    TwoOperands("SAR", Instruction::Sar, SarRow, 0, FullOperandRead),
    TwoOperands("SHR", Instruction::Shr, ShrRow, 0, FullOperandRead),
    TwoOperands("SHL", Instruction::Shl, ShlRow, 0, FullOperandRead),
    TwoOperands("ROR", Instruction::Ror, RorRow, 0, FullOperandRead),
    TwoOperands("RCR", Instruction::Rcr, RcrRow, LogicCarryBox, LongOperandRead),
    TwoOperands("ROL", Instruction::Rol, RolRow, 0, FullOperandRead),
    TwoOperands("RCL", Instruction::Rcl, RclRow, LogicCarryBox, LongOperandRead),
    OneOperand("NOT", Instruction::Not, NotRow),
    OneOperand("NEG", Instruction::Neg, NegRow),
    OneOperand("BSWAP", Instruction::Bswap, BswapRow),
    TwoOperands("ADD", Instruction::Add, AddRow, 0, FullOperandRead),
    TwoOperands("ADC", Instruction::Adc, AdcRow, MathCarryBox, FullOperandRead),
    TwoOperands("SUB", Instruction::Sub, SubRow, 0, LongOperandRead),
    TwoOperands("SBB", Instruction::Sbb, SbbRow, MathCarryBox, FullOperandRead),
    TwoOperands("MUL", Instruction::Mul, MulRow, 0, LongOperandRead),
    TwoOperands("IMUL", Instruction::Imul, ImulRow, 0, LongOperandRead),
    TwoOperands("DIV", Instruction::Div, DivRow, 0, LongOperandRead),
    TwoOperands("IDIV", Instruction::Idiv, IdivRow, 0, LongOperandRead),
};

const std::string ZeroDivisorText = "S\xFD"
                                    "f\xFD"
                                    "ra B\xF6l\xFCnme Hatas\xFD!"; // "Sıfıra Bölünme Hatası!"
const std::string QuotientTooLargeText = "B\xF6l\xFCm Ta\xFEmas\xFD!"; // "Bölüm Taşması!"

// EAX alone, or "EAX r EDX" when EDX is not zero.
std::string WordsText(const Registers& registers) {
    if (registers.edx == 0)
        return HexadecimalForm(registers.eax);
    return HexadecimalForm(registers.eax) + " r " + HexadecimalForm(registers.edx);
}

std::string DivisionText(const Division& division) {
    switch (division.outcome) {
    case DivisionOutcome::ZeroDivisor:
        return ZeroDivisorText;
    case DivisionOutcome::QuotientTooLarge:
        return QuotientTooLargeText;
    case DivisionOutcome::Done:
        break;
    }
    return WordsText(division.registers);
}

std::uint32_t Computed(Instruction instruction, std::uint32_t a, std::uint32_t b, bool carry) {
    switch (instruction) {
    case Instruction::And:
        return BitwiseAnd(a, b);
    case Instruction::Or:
        return BitwiseOr(a, b);
    case Instruction::Xor:
        return BitwiseXor(a, b);
    case Instruction::Sar:
        return ShiftArithmeticRight(a, b);
    case Instruction::Shr:
        return ShiftLogicalRight(a, b);
    case Instruction::Shl:
        return ShiftLeft(a, b);
    case Instruction::Ror:
        return RotateRight(a, b);
    case Instruction::Rcr:
        return RotateThroughCarryRight(a, b, carry);
    case Instruction::Rol:
        return RotateLeft(a, b);
    case Instruction::Rcl:
        return RotateThroughCarryLeft(a, b, carry);
    case Instruction::Not:
        return BitwiseNot(a);
    case Instruction::Neg:
        return Negate(a);
    case Instruction::Bswap:
        return ByteSwap(a);
    case Instruction::Add:
    case Instruction::Adc:
        return AddWithCarry(a, b, carry);
    case Instruction::Sub:
    case Instruction::Sbb:
        return SubtractWithBorrow(a, b, carry);
    default:
        return 0;
    }
}

std::string DecimalDigits(std::uint64_t value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

// A character's value as the page's pair decoding takes it, byte arithmetic throughout: its
// code less 48, and less 7 more where that is above 9.
unsigned PairDigitValue(char character) {
    unsigned value = (static_cast<unsigned char>(character) + 256u - 48u) % 256u;
    if (value > 9)
        value = (value + 256u - 7u) % 256u;
    return value;
}

} // namespace

std::uint32_t OperandValue(std::string_view text, std::size_t read_length) {
    std::vector<std::uint32_t> digits; // most significant first
    for (char character : text.substr(0, read_length)) {
        const std::size_t digit = Digits.find(character);
        if (digit == std::string_view::npos) {
            digits.push_back(0);
            break;
        }
        digits.push_back(static_cast<std::uint32_t>(digit));
    }
    const std::size_t first = digits.size() > 8 ? digits.size() - 8 : 0;
    std::uint32_t value = 0;
    for (std::size_t index = first; index < digits.size(); ++index)
        value = value * 16 + digits[index];
    return value;
}

std::span<const Row> Rows() {
    return RowTable;
}

const Row* RowOfButton(int button) {
    const auto found = std::find_if(std::begin(RowTable), std::end(RowTable),
                                    [button](const Row& row) { return row.button == button; });
    return found != std::end(RowTable) ? found : nullptr;
}

std::string ResultText(const Row& row, const RowInputs& inputs) {
    const std::uint32_t a = OperandValue(inputs.first, row.read_length);
    const std::uint32_t b = OperandValue(inputs.second, row.read_length);
    switch (row.instruction) {
    case Instruction::Mul:
        return WordsText(MultiplyUnsigned(a, b));
    case Instruction::Imul:
        return WordsText(MultiplySigned(a, b));
    case Instruction::Div:
        return DivisionText(DivideUnsigned(a, b));
    case Instruction::Idiv:
        return DivisionText(DivideSigned(a, b));
    default:
        // Only the rows with a carry box read the carry.
        return HexadecimalForm(Computed(row.instruction, a, b, row.carry_box != 0 && inputs.carry));
    }
}

std::string HexadecimalForm(std::uint32_t value) {
    std::string text;
    for (int nibble = 7; nibble >= 0; --nibble)
        text += Digits[(value >> (4 * nibble)) % 16];
    return text;
}

std::string BinaryForm(std::uint32_t value) {
    std::string text;
    for (int bit = 31; bit >= 0; --bit)
        text += ((value >> bit) & 1) != 0 ? '1' : '0';
    return text;
}

std::string SignedDecimalForm(std::uint32_t value) {
    if ((value >> 31) == 0)
        return DecimalDigits(value);
    // Built by appending: GCC 12 at -O3 warns falsely about "-" + a temporary string.
    std::string text = "-";
    text += DecimalDigits((std::uint64_t{1} << 32) - value);
    return text;
}

std::string UnsignedDecimalForm(std::uint32_t value) {
    return DecimalDigits(value);
}

std::string OctalForm(std::uint32_t value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + value % 8));
        value /= 8;
    } while (value != 0);
    if (digits.size() < 2)
        digits.insert(digits.begin(), '0');
    return digits;
}

std::string BinaryFieldFromHexField(std::string_view hex_field) {
    return BinaryForm(OperandValue(hex_field, UpdateRead));
}

// Each character read doubles the value and ORs in its code less 48, taken as a byte: '0'
// and '1' are binary digits, and "12" gives 2.
std::string HexFieldFromBinaryField(std::string_view binary_field) {
    std::uint32_t value = 0;
    for (char character : binary_field.substr(0, UpdateRead))
        value = value * 2 | ((static_cast<unsigned char>(character) + 256u - 48u) % 256u);
    return HexadecimalForm(value);
}

DerivedForms DerivedFormsFromHexField(std::string_view hex_field) {
    const std::uint32_t value = OperandValue(hex_field, DecimalRead);
    return {SignedDecimalForm(value), UnsignedDecimalForm(value), OctalForm(value)};
}

// Fewer than two characters, or a space first, spell nothing; otherwise the digits alone,
// spaces dropped, pair up, a last unpaired one is left out, and a zero byte shows as '.'.
std::string TextFieldFromPairField(std::string_view pair_field) {
    const std::string_view pairs = pair_field.substr(0, PairFieldRead);
    if (pairs.size() < 2 || pairs.front() == ' ')
        return {};
    std::string digits;
    std::copy_if(pairs.begin(), pairs.end(), std::back_inserter(digits),
                 [](char character) { return character != ' '; });
    std::string text;
    for (std::size_t index = 0; index + 1 < digits.size(); index += 2) {
        const unsigned byte =
            (16 * PairDigitValue(digits[index]) + PairDigitValue(digits[index + 1])) % 256;
        text += byte == 0 ? '.' : static_cast<char>(byte);
    }
    return text;
}

std::string PairFieldFromTextField(std::string_view text_field) {
    std::string pairs;
    for (char character : text_field.substr(0, UpdateRead)) {
        const auto code = static_cast<unsigned char>(character);
        if (!pairs.empty())
            pairs += ' ';
        pairs += Digits[code / 16];
        pairs += Digits[code % 16];
    }
    return pairs;
}

// Field 4016 is 286 dialog units wide from x = 6. The headless backend's font is a fixed one
// whose every character, and so its average, is CharacterWidth pixels wide, and four dialog
// units across are one average character. Of the field's pixels, the sunken edge takes two
// on each side and the text margin two more.
namespace {
bool g_is_text_measured_by_display = false;
} // namespace

void ForgetTextFieldCapacity() {
    g_is_text_measured_by_display = true;
}

std::optional<std::size_t> TextFieldCapacity() {
    if (g_is_text_measured_by_display)
        return std::nullopt;
    constexpr int CharacterWidth = HeadlessBackend::CharacterWidth;
    constexpr int Left = 6 * CharacterWidth / 4;
    constexpr int Right = (6 + 286) * CharacterWidth / 4;
    constexpr int TextPixels = (Right - Left) - 2 * 2 - 2 * 2;
    return TextPixels / CharacterWidth;
}

} // namespace model
