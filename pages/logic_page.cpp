#include "pages/logic_page.h"

#include "operand/digit_filters.h"
#include "operand/hex_field.h"
#include "pages/carry_box.h"

LogicOperationTable LogicPageOperations = {ApplyLogicOperation, ApplyUnaryOperation};

namespace {

constexpr int CarryBoxId = 2062;

// Reads of an 8-digit operand: AND to ROL ask for 9 characters, the others for 50; both
// read the whole text, since no operand field holds more than 8.
constexpr int ShortRead = 9;
constexpr int LongRead = 50;

// Row k has the base b = 2003 + 5k: A at b, B at b + 2, "=" at b + 3, the result at b + 4.
struct TwoOperandRow {
    int base;
    LogicOperation operation;
    int text_limit_of_b; // the count fields take two digits
    int read_size;
};

constexpr TwoOperandRow TwoOperandRows[] = {
    {2003, LogicOperation::And, 8, ShortRead}, {2008, LogicOperation::Or, 8, ShortRead},
    {2013, LogicOperation::Xor, 8, ShortRead}, {2018, LogicOperation::Sar, 2, ShortRead},
    {2023, LogicOperation::Shr, 2, ShortRead}, {2028, LogicOperation::Shl, 2, ShortRead},
    {2033, LogicOperation::Ror, 2, ShortRead}, {2038, LogicOperation::Rcr, 2, LongRead},
    {2043, LogicOperation::Rol, 2, ShortRead}, {2048, LogicOperation::Rcl, 2, LongRead},
};

// One-operand rows: operand, button (operand + 1), result (operand + 2).
struct OneOperandRow {
    int operand;
    UnaryOperation operation;
};

constexpr OneOperandRow OneOperandRows[] = {
    {2053, UnaryOperation::Not},
    {2056, UnaryOperation::Neg},
    {2059, UnaryOperation::Bswap},
};

void LimitText(HWND page, int id, int limit) {
    SendDlgItemMessage(page, id, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void Initialise(HWND page) {
    for (const TwoOperandRow& row : TwoOperandRows) {
        LimitText(page, row.base, 8);
        LimitText(page, row.base + 2, row.text_limit_of_b);
    }
    for (const OneOperandRow& row : OneOperandRows) {
        LimitText(page, row.operand, 8);
    }
    for (const TwoOperandRow& row : TwoOperandRows) {
        InstallFilter(page, row.base, HexDigitFilter);
        InstallFilter(page, row.base + 2, HexDigitFilter);
    }
    for (const OneOperandRow& row : OneOperandRows) {
        InstallFilter(page, row.operand, HexDigitFilter);
    }
}

void RunTwoOperandRow(HWND page, const TwoOperandRow& row) {
    std::uint32_t b = ReadHexOperand(page, row.base + 2, row.read_size);
    std::uint32_t a = ReadHexOperand(page, row.base, row.read_size);
    CarryFlag carry = row.operation == LogicOperation::Rcr || row.operation == LogicOperation::Rcl
                          ? ReadCarryBox(page, CarryBoxId)
                          : CarryFlag::Clear;
    WriteHexResult(page, row.base + 4,
                   LogicPageOperations.two_operands(row.operation, a, b, carry));
}

void RunOneOperandRow(HWND page, const OneOperandRow& row) {
    std::uint32_t a = ReadHexOperand(page, row.operand, LongRead);
    WriteHexResult(page, row.operand + 2, LogicPageOperations.one_operand(row.operation, a));
}

void RunCommand(HWND page, int id) {
    for (const TwoOperandRow& row : TwoOperandRows) {
        if (id == row.base + 3) {
            RunTwoOperandRow(page, row);
            return;
        }
    }
    for (const OneOperandRow& row : OneOperandRows) {
        if (id == row.operand + 1) {
            RunOneOperandRow(page, row);
            return;
        }
    }
    if (id == CarryBoxId) {
        UpdateCarryCaption(page, CarryBoxId);
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
