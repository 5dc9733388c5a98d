#pragma once

// What the pages should show, worked out by the checker from the product's description of
// them and not from its code: the value an operand field's text stands for, the text each
// row of the calculating pages writes (the arithmetic is x86_model.h's), the conversion
// page's forms of a value and of byte pairs, and how much text field 4016 shows whole on
// the headless backend. Reading the fields is the checker's.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace model {

// The value of an operand text as a row reads it: at most read_length characters, digits
// 0-9 and A-F until any other character, which stands for one more zero digit and ends the
// reading; only the last eight digits count. "12G4" is 0x120, "1a" 0x10.
std::uint32_t OperandValue(std::string_view text, std::size_t read_length);

enum class Instruction : std::uint8_t {
    And,
    Or,
    Xor,
    Sar,
    Shr,
    Shl,
    Ror,
    Rcr,
    Rol,
    Rcl,
    Not,
    Neg,
    Bswap,
    Add,
    Adc,
    Sub,
    Sbb,
    Mul,
    Imul,
    Div,
    Idiv,
};

// One row of a calculating page: its "=" button, operand fields and result field.
struct Row {
    const char* name;
    Instruction instruction;
    int button;
    int first;  // operand A
    int second; // operand B; 0 on the one-operand rows
    int result;
    int carry_box;           // the box whose state is the incoming carry; 0 on rows that read none
    std::size_t read_length; // characters of an operand the row reads
};

std::span<const Row> Rows();
const Row* RowOfButton(int button); // null for any other id

struct RowInputs {
    std::string_view first;
    std::string_view second;
    bool carry = false;
};

// What the row's result field shows after its button: eight digits, the pair "EAX r EDX"
// where MUL, IMUL, DIV or IDIV leaves EDX non-zero, or the row's message.
std::string ResultText(const Row& row, const RowInputs& inputs);

// The conversion page's forms of a value.
std::string HexadecimalForm(std::uint32_t value); // eight digits
std::string BinaryForm(std::uint32_t value);      // 32 digits
std::string SignedDecimalForm(std::uint32_t value);
std::string UnsignedDecimalForm(std::uint32_t value);
std::string OctalForm(std::uint32_t value); // at least two digits

// What the page writes into one field of a group from the other, as it reads that other:
// 4006 from 4004, 4004 from 4006, 4008, 4010 and 4012 from 4004, 4016 from 4014 and 4014
// from 4016.
std::string BinaryFieldFromHexField(std::string_view hex_field);
std::string HexFieldFromBinaryField(std::string_view binary_field);
struct DerivedForms {
    std::string signed_decimal;
    std::string unsigned_decimal;
    std::string octal;
};
DerivedForms DerivedFormsFromHexField(std::string_view hex_field);
std::string TextFieldFromPairField(std::string_view pair_field);
std::string PairFieldFromTextField(std::string_view text_field);

// The characters field 4016 shows whole, and so holds after typing and pasting, in the headless
// backend's font, where every character is as wide; nullopt once the window is measured in a
// display's own font (ForgetTextFieldCapacity), whose widths the model does not know.
std::optional<std::size_t> TextFieldCapacity();
void ForgetTextFieldCapacity();

} // namespace model
