#include "pages/math_page.h"

#include "operand/digit_filters.h"
#include "operand/hex_codec.h"
#include "operand/hex_field.h"
#include "pages/carry_box.h"

#include <cstring>

MathOperationTable MathPageOperations = {ApplyMathOperation};

namespace {

constexpr int CarryBoxId = 3043;
constexpr int OperandLimit = 8;

const char DivideByZeroText[] = "S\xFD"
                                "f\xFD"
                                "ra B\xF6l\xFCnme Hatas\xFD!";    // "Sıfıra Bölünme Hatası!"
const char QuotientOverflowText[] = "B\xF6l\xFCm Ta\xFEmas\xFD!"; // "Bölüm Taşması!"

enum class Output : std::uint8_t {
    Hex,  // eight digits, through WriteHexResult
    Text, // single form, pair form or a message, written as text
};

// Row k has the base b = 3003 + 5k: A at b, B at b + 2, "=" at b + 3, the result at b + 4.
struct Row {
    int base;
    MathOperation operation;
    int read_size; // 9 or 50: either reads an 8-digit field whole
    Output output;
};

constexpr Row Rows[] = {
    {3003, MathOperation::Add, 9, Output::Hex},   {3008, MathOperation::Adc, 9, Output::Hex},
    {3013, MathOperation::Sub, 50, Output::Hex},  {3018, MathOperation::Sbb, 9, Output::Hex},
    {3023, MathOperation::Mul, 50, Output::Text}, {3028, MathOperation::Imul, 50, Output::Text},
    {3033, MathOperation::Div, 50, Output::Text}, {3038, MathOperation::Idiv, 50, Output::Text},
};

void Initialise(HWND page) {
    for (const Row& row : Rows) {
        SendDlgItemMessage(page, row.base, EM_LIMITTEXT, OperandLimit, 0);
        SendDlgItemMessage(page, row.base + 2, EM_LIMITTEXT, OperandLimit, 0);
    }
    for (const Row& row : Rows) {
        InstallFilter(page, row.base, HexDigitFilter);
        InstallFilter(page, row.base + 2, HexDigitFilter);
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
    std::uint32_t b = ReadHexOperand(page, row.base + 2, row.read_size);
    std::uint32_t a = ReadHexOperand(page, row.base, row.read_size);
    bool uses_carry = row.operation == MathOperation::Adc || row.operation == MathOperation::Sbb;
    CarryFlag carry = uses_carry ? ReadCarryBox(page, CarryBoxId) : CarryFlag::Clear;
    ArithmeticResult result = MathPageOperations.compute(row.operation, a, b, carry);
    int result_id = row.base + 4;
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
        if (id == row.base + 3) {
            RunRow(page, row);
            return;
        }
    }
    if (id == CarryBoxId) {
        UpdateCarryCaption(page, CarryBoxId);
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
