#pragma once

// The "Mantıksal" page: thirteen rows of x86 logical, shift, rotate and byte-order
// instructions on hexadecimal operands, each computed when its "=" button is pressed, and
// the carry box that feeds RCR and RCL. The arithmetic is in logic_operations.h.

#include "pages/logic_operations.h"
#include "pages/page_rows.h"
#include "platform/win/windows_api.h"

// The page's controls: the headings over the operands ("Onaltılık Değer") and the results
// ("Sonuç"), the rows by their base ids, and the carry box.
constexpr int LogicValueHeading = 2001, LogicResultHeading = 2002;
constexpr TwoOperandRowIds AndRow{2003}, OrRow{2008}, XorRow{2013}, SarRow{2018}, ShrRow{2023},
    ShlRow{2028}, RorRow{2033}, RcrRow{2038}, RolRow{2043}, RclRow{2048};
constexpr OneOperandRowIds NotRow{2053}, NegRow{2056}, BswapRow{2059};
constexpr int LogicCarryBox = 2062;

// The rows from top to bottom: the ten of two operands, then the three of one.
inline constexpr TwoOperandRowIds LogicTwoOperandRows[] = {AndRow, OrRow,  XorRow, SarRow, ShrRow,
                                                           ShlRow, RorRow, RcrRow, RolRow, RclRow};
inline constexpr OneOperandRowIds LogicOneOperandRows[] = {NotRow, NegRow, BswapRow};

// What the page computes its rows with: the operations of logic_operations.h, which tests
// replace with faulty ones to show that their checks notice a wrong result.
struct LogicOperationTable {
    decltype(&ApplyLogicOperation) two_operands;
    decltype(&ApplyUnaryOperation) one_operand;
};
extern LogicOperationTable LogicPageOperations;

INT_PTR CALLBACK LogicPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
