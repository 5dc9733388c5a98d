#include "operand/hex_field.h"

namespace {

constexpr int OperandTextSize = 256;

} // namespace

std::uint32_t ReadHexOperand(HWND page, int id, int max_count) {
    char text[OperandTextSize];
    text[0] = '\0';
    if (max_count > OperandTextSize)
        max_count = OperandTextSize;
    const LRESULT count = SendDlgItemMessage(page, id, WM_GETTEXT, static_cast<WPARAM>(max_count),
                                             reinterpret_cast<LPARAM>(text));
    if (count <= 0)
        return 0;
    return ParseHex32(text, static_cast<std::uint32_t>(count));
}

void WriteHexResult(HWND page, int id, std::uint32_t value) {
    char text[9];
    FormatHex32(value, text);
    SetDlgItemText(page, id, text);
}
