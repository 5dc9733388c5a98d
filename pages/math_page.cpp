#include "pages/math_page.h"

#include "operand/digit_filters.h"
#include "operand/hex_codec.h"
#include "operand/hex_field.h"
#include "pages/carry_box.h"

#include <cstring>

MathOperationTable MathPageOperations = {ApplyMathOperation};

namespace {

constexpr int OperandLimit = 8;

const char DivideByZeroText[] = "S\xFD"
                                "f\xFD"
                                "ra B\xF6l\xFCnme Hatas\xFD!";    // "Sıfıra Bölünme Hatası!"
const char QuotientOverflowText[] = "B\xF6l\xFCm Ta\xFEmas\xFD!"; // "Bölüm Taşması!"

enum class Output : std::uint8_t {
    Hex,  // eight digits, through WriteHexResult
    Text, // single form, pair form or a message, written as text
};

struct Row {
    TwoOperandRowIds ids;
    MathOperation operation;
    // Kept on purpose: rows read with 9 or with 50 as the page always has; either size reads
    // an 8-digit field whole, so the value is the same.
    int read_size;
    Output output;
};

constexpr Row Rows[] = {
    {AddRow, MathOperation::Add, 9, Output::Hex},
    {AdcRow, MathOperation::Adc, 9, Output::Hex},
    {SubRow, MathOperation::Sub, 50, Output::Hex},
    {SbbRow, MathOperation::Sbb, 9, Output::Hex},
    {MulRow, MathOperation::Mul, 50, Output::Text},
    {ImulRow, MathOperation::Imul, 50, Output::Text},
    {DivRow, MathOperation::Div, 50, Output::Text},
    {IdivRow, MathOperation::Idiv, 50, Output::Text},
};

void Initialise(HWND page) {
    for (const Row& row : Rows) {
        SendDlgItemMessage(page, row.ids.first(), EM_LIMITTEXT, OperandLimit, 0);
        SendDlgItemMessage(page, row.ids.second(), EM_LIMITTEXT, OperandLimit, 0);
    }
    for (const Row& row : Rows) {
        InstallFilter(page, row.ids.first(), HexDigitFilter);
        InstallFilter(page, row.ids.second(), HexDigitFilter);
    }
}

// "00000001" or "00000001 r FFFFFFFE": EAX first, then EDX.
void WriteWords(HWND page, int id, const ArithmeticResult& result) {
    char text[20];
    char word[9];
    FormatHex32(result.eax, word);
    std::strcpy(text, word);
    if (result.kind == ResultKind::Pair) {
        FormatHex32(result.edx, word);
        std::strcat(text, " r ");
        std::strcat(text, word);
    }
    SetDlgItemText(page, id, text);
}

void RunRow(HWND page, const Row& row) {
    std::uint32_t b = ReadHexOperand(page, row.ids.second(), row.read_size);
    std::uint32_t a = ReadHexOperand(page, row.ids.first(), row.read_size);
    bool uses_carry = row.operation == MathOperation::Adc || row.operation == MathOperation::Sbb;
    CarryFlag carry = uses_carry ? ReadCarryBox(page, MathCarryBox) : CarryFlag::Clear;
    ArithmeticResult result = MathPageOperations.compute(row.operation, a, b, carry);
    int result_id = row.ids.result();
    switch (result.kind) {
    case ResultKind::DivideByZero:
        SetDlgItemText(page, result_id, DivideByZeroText);
        return;
    case ResultKind::QuotientOverflow:
        SetDlgItemText(page, result_id, QuotientOverflowText);
        return;
    case ResultKind::Value:
    case ResultKind::Pair:
        if (row.output == Output::Hex) {
            WriteHexResult(page, result_id, result.eax);
        } else {
            WriteWords(page, result_id, result);
        }
        return;
    }
}

void RunCommand(HWND page, int id) {
    for (const Row& row : Rows) {
        if (id == row.ids.button()) {
            RunRow(page, row);
            return;
        }
    }
    if (id == MathCarryBox) {
        UpdateCarryCaption(page, MathCarryBox);
    }
}

} // namespace

INT_PTR CALLBACK MathPage(HWND page, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        Initialise(page);
        return TRUE;
    case WM_COMMAND:
        RunCommand(page, LOWORD(wparam));
        return TRUE;
    default:
        return FALSE;
    }
}
