#include "pages/logic_page.h"

#include "operand/digit_filters.h"
#include "operand/hex_field.h"
#include "pages/carry_box.h"

LogicOperationTable LogicPageOperations = {ApplyLogicOperation, ApplyUnaryOperation};

namespace {

// Kept on purpose: reads of an 8-digit operand ask for 9 characters (AND to ROL) or 50 (the
// others), as the page always has; both read the whole text, since no operand field holds
// more than 8.
constexpr int ShortRead = 9;
constexpr int LongRead = 50;

struct TwoOperandRow {
    TwoOperandRowIds ids;
    LogicOperation operation;
    int text_limit_of_b; // the count fields take two digits
    int read_size;
};

constexpr TwoOperandRow TwoOperandRows[] = {
    {AndRow, LogicOperation::And, 8, ShortRead}, {OrRow, LogicOperation::Or, 8, ShortRead},
    {XorRow, LogicOperation::Xor, 8, ShortRead}, {SarRow, LogicOperation::Sar, 2, ShortRead},
    {ShrRow, LogicOperation::Shr, 2, ShortRead}, {ShlRow, LogicOperation::Shl, 2, ShortRead},
    {RorRow, LogicOperation::Ror, 2, ShortRead}, {RcrRow, LogicOperation::Rcr, 2, LongRead},
    {RolRow, LogicOperation::Rol, 2, ShortRead}, {RclRow, LogicOperation::Rcl, 2, LongRead},
};

struct OneOperandRow {
    OneOperandRowIds ids;
    UnaryOperation operation;
};

constexpr OneOperandRow OneOperandRows[] = {
    {NotRow, UnaryOperation::Not},
    {NegRow, UnaryOperation::Neg},
    {BswapRow, UnaryOperation::Bswap},
};

void LimitText(HWND page, int id, int limit) {
    SendDlgItemMessage(page, id, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void Initialise(HWND page) {
    for (const TwoOperandRow& row : TwoOperandRows) {
        LimitText(page, row.ids.first(), 8);
        LimitText(page, row.ids.second(), row.text_limit_of_b);
    }
    for (const OneOperandRow& row : OneOperandRows) {
        LimitText(page, row.ids.operand(), 8);
    }
    for (const TwoOperandRow& row : TwoOperandRows) {
        InstallFilter(page, row.ids.first(), HexDigitFilter);
        InstallFilter(page, row.ids.second(), HexDigitFilter);
    }
    for (const OneOperandRow& row : OneOperandRows) {
        InstallFilter(page, row.ids.operand(), HexDigitFilter);
    }
}

void RunTwoOperandRow(HWND page, const TwoOperandRow& row) {
    std::uint32_t b = ReadHexOperand(page, row.ids.second(), row.read_size);
    std::uint32_t a = ReadHexOperand(page, row.ids.first(), row.read_size);
    CarryFlag carry = row.operation == LogicOperation::Rcr || row.operation == LogicOperation::Rcl
                          ? ReadCarryBox(page, LogicCarryBox)
                          : CarryFlag::Clear;
    WriteHexResult(page, row.ids.result(),
                   LogicPageOperations.two_operands(row.operation, a, b, carry));
}

void RunOneOperandRow(HWND page, const OneOperandRow& row) {
    std::uint32_t a = ReadHexOperand(page, row.ids.operand(), LongRead);
    WriteHexResult(page, row.ids.result(), LogicPageOperations.one_operand(row.operation, a));
}

void RunCommand(HWND page, int id) {
    for (const TwoOperandRow& row : TwoOperandRows) {
        if (id == row.ids.button()) {
            RunTwoOperandRow(page, row);
            return;
        }
    }
    for (const OneOperandRow& row : OneOperandRows) {
        if (id == row.ids.button()) {
            RunOneOperandRow(page, row);
            return;
        }
    }
    if (id == LogicCarryBox) {
        UpdateCarryCaption(page, LogicCarryBox);
    }
}

} // namespace

INT_PTR CALLBACK LogicPage(HWND page, UINT message, WPARAM wparam, LPARAM) {
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
