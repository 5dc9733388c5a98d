// The checker's model of the calculating pages against the examples of their description:
// a model that got these wrong would pass a wrong page or fail a right one.

#include "page_model.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

struct Example {
    const char* row;
    const char* a;
    const char* b;
    bool carry;
    const char* shown;
};

const model::Row& RowNamed(const std::string& name) {
    for (const model::Row& row : model::Rows())
        if (row.name == name)
            return row;
    throw std::invalid_argument(name);
}

void ExpectResults(std::initializer_list<Example> examples) {
    for (const Example& example : examples) {
        SCOPED_TRACE(std::string(example.row) + " " + example.a + ", " + example.b);
        EXPECT_EQ(model::ResultText(RowNamed(example.row), {example.a, example.b, example.carry}),
                  example.shown);
    }
}

TEST(PageModel, LogicRows) {
    ExpectResults({
        // Counts are taken modulo 32: 20 leaves A, 21 moves one place, FF 31 places.
        {"SHL", "00000001", "1F", false, "80000000"},
        {"SHL", "00000001", "20", false, "00000001"},
        {"SHL", "00000001", "21", false, "00000002"},
        {"SHL", "00000001", "FF", false, "80000000"},
        {"SAR", "80000000", "4", false, "F8000000"},
        {"SAR", "80000000", "1F", false, "FFFFFFFF"},
        {"SHR", "80000000", "1F", false, "00000001"},
        {"ROR", "12345678", "8", false, "78123456"},
        {"ROL", "12345678", "8", false, "34567812"},
        // Through the carry: 33 bits rotate, the carry left over is dropped.
        {"RCR", "00000001", "1", true, "80000000"},
        {"RCR", "00000001", "1", false, "00000000"},
        {"RCL", "80000000", "1", false, "00000000"},
        {"RCL", "80000000", "1", true, "00000001"},
        {"RCL", "", "1F", true, "40000000"},
        {"RCR", "12345678", "20", true, "12345678"},
        {"AND", "", "", false, "00000000"},
        {"AND", "12345678", "FF", false, "00000078"},
        {"OR", "12345678", "FF", false, "123456FF"},
        {"XOR", "FFFF0000", "0F0F0F0F", false, "F0F00F0F"},
        {"NOT", "", "", false, "FFFFFFFF"},
        {"NEG", "00000001", "", false, "FFFFFFFF"},
        {"NEG", "80000000", "", false, "80000000"},
        {"BSWAP", "12345678", "", false, "78563412"},
        // Rows that read no carry ignore it.
        {"AND", "F", "3", true, "00000003"},
    });
}

TEST(PageModel, ArithmeticRows) {
    ExpectResults({
        {"ADD", "", "", false, "00000000"},
        {"ADD", "1F", "1", false, "00000020"},
        {"ADD", "FFFFFFFF", "00000001", true, "00000000"}, // ADD reads no carry
        {"ADC", "FFFFFFFF", "00000000", true, "00000000"},
        {"ADC", "00000001", "00000002", true, "00000004"},
        {"SUB", "00000000", "00000001", false, "FFFFFFFF"},
        {"SBB", "00000000", "00000000", true, "FFFFFFFF"},
        {"SBB", "00000000", "00000000", false, "00000000"},
        {"SBB", "00000000", "FFFFFFFF", true, "00000000"},
        {"MUL", "00000002", "00000003", false, "00000006"},
        {"MUL", "00010000", "00010000", false, "00000000 r 00000001"},
        {"MUL", "FFFFFFFF", "FFFFFFFF", false, "00000001 r FFFFFFFE"},
        {"IMUL", "FFFFFFFF", "FFFFFFFF", false, "00000001"},
        {"IMUL", "00000003", "FFFFFFFF", false, "FFFFFFFD r FFFFFFFF"},
        {"IMUL", "7FFFFFFF", "00000002", false, "FFFFFFFE"},
        {"IMUL", "80000000", "80000000", false, "00000000 r 40000000"},
        {"DIV", "00000007", "00000002", false, "00000003 r 00000001"},
        {"DIV", "0000000A", "00000005", false, "00000002"},
        {"DIV", "00000003", "00000007", false, "00000000 r 00000003"},
        {"DIV", "FFFFFFFF", "00000010", false, "0FFFFFFF r 0000000F"},
        {"DIV", "", "", false,
         "S\xFD"
         "f\xFD"
         "ra B\xF6l\xFCnme Hatas\xFD!"},
        {"IDIV", "0000000A", "FFFFFFFE", false, "FFFFFFFB"},
        {"IDIV", "00000007", "FFFFFFFE", false, "FFFFFFFD r 00000001"},
        {"IDIV", "FFFFFFFE", "00000002", false, "7FFFFFFF"},
        {"IDIV", "FFFFFFFF", "FFFFFFFE", false, "80000001 r 00000001"},
        {"IDIV", "80000000", "FFFFFFFF", false, "80000000"},
        // The two families whose quotient leaves the signed range.
        {"IDIV", "80000000", "00000001", false, "B\xF6l\xFCm Ta\xFEmas\xFD!"},
        {"IDIV", "80000001", "FFFFFFFF", false, "B\xF6l\xFCm Ta\xFEmas\xFD!"},
    });
}

// An operand is read as the row reads its field: AND reads 8 characters, RCR 49, and a
// character that is no upper-case digit stands for one last zero digit.
TEST(PageModel, OperandsAreReadAsTheRowsReadThem) {
    EXPECT_EQ(model::OperandValue("12G4", 49), 0x120u);
    EXPECT_EQ(model::OperandValue("1a", 49), 0x10u);
    EXPECT_EQ(model::OperandValue("G", 49), 0u);
    EXPECT_EQ(model::OperandValue("123456789", 49), 0x23456789u); // the last eight count
    EXPECT_EQ(model::OperandValue("123456789", 8), 0x12345678u);
    ExpectResults({
        {"AND", "FFFFFFFF1", "FFFFFFFF", false, "FFFFFFFF"},
        {"RCR", "FFFFFFFF1", "", false, "FFFFFFF1"},
    });
}

TEST(PageModel, ConversionForms) {
    EXPECT_EQ(model::BinaryFieldFromHexField("12345678"), "00010010001101000101011001111000");
    EXPECT_EQ(model::HexFieldFromBinaryField("101"), "00000005");
    EXPECT_EQ(model::HexFieldFromBinaryField("12"), "00000002"); // '2' ORs in 2
    EXPECT_EQ(model::HexFieldFromBinaryField(""), "00000000");
    const struct {
        const char* hex;
        const char* signed_decimal;
        const char* unsigned_decimal;
        const char* octal;
    } forms[] = {
        {"FFFFFFFF", "-1", "4294967295", "37777777777"},
        {"80000000", "-2147483648", "2147483648", "20000000000"},
        {"7FFFFFFF", "2147483647", "2147483647", "17777777777"},
        {"5", "5", "5", "05"},
        {"8", "8", "8", "10"},
        {"", "0", "0", "00"},
    };
    for (const auto& row : forms) {
        SCOPED_TRACE(row.hex);
        const model::DerivedForms derived = model::DerivedFormsFromHexField(row.hex);
        EXPECT_EQ(derived.signed_decimal, row.signed_decimal);
        EXPECT_EQ(derived.unsigned_decimal, row.unsigned_decimal);
        EXPECT_EQ(derived.octal, row.octal);
    }
    EXPECT_EQ(model::TextFieldFromPairField("41 00 42"), "A.B");
    EXPECT_EQ(model::TextFieldFromPairField(" 41"), "");
    EXPECT_EQ(model::TextFieldFromPairField("4 1"), "A");
    EXPECT_EQ(model::PairFieldFromTextField("AB\xFE\x09"), "41 42 FE 09");
    EXPECT_EQ(model::PairFieldFromTextField(std::string(40, 'A')).size(), 104u);
}

} // namespace
