#include "pages/convert_page.h"

#include "convert/binary_text.h"
#include "convert/decimal_text.h"
#include "convert/hex_pairs.h"
#include "convert/octal_text.h"
#include "convert/reverse_string.h"
#include "operand/digit_filters.h"
#include "operand/hex_codec.h"
#include "operand/hex_field.h"
#include "operand/hex_pair_filter.h"

#include <cstring>

std::uint32_t AcceptEdits = 0;

namespace {

// Kept on purpose, the sizes the page has always read with: an update notification reads 35
// characters of the notifying field, the decimal and octal forms 15 of the hexadecimal
// field. Each is more than its field holds but the text field, whose first 35 alone convert.
constexpr int UpdateReadSize = 36;
constexpr int ChangeReadSize = 16;

void Initialise(HWND page) {
    SendDlgItemMessage(page, HexField, EM_LIMITTEXT, 8, 0);
    SendDlgItemMessage(page, BinaryField, EM_LIMITTEXT, 32, 0);
    SendDlgItemMessage(page, PairField, EM_LIMITTEXT, 104, 0);
    InstallFilter(page, HexField, HexDigitFilter);
    InstallFilter(page, BinaryField, BinaryDigitFilter);
    InstallFilter(page, OctalField, OctalDigitFilter);
    InstallFilter(page, PairField, HexPairFilter);
    AcceptEdits = 1;
}

void HexadecimalToBinary(HWND page, const char* text, std::uint32_t length) {
    AcceptEdits = 0;
    char binary[33];
    FormatBinary32(ParseHex32(text, length), binary);
    SetDlgItemText(page, BinaryField, binary);
    AcceptEdits = 1;
}

void BinaryToHexadecimal(HWND page, const char* text, std::uint32_t length) {
    AcceptEdits = 0;
    std::uint32_t value = length == 0 ? 0 : ParseBinary32(text, length);
    char hexadecimal[9];
    FormatHex32(value, hexadecimal);
    SetDlgItemText(page, HexField, hexadecimal);
    AcceptEdits = 1;
}

void PairsToText(HWND page) {
    AcceptEdits = 0;
    char pair_text[HexPairBufferSize] = {};
    char decoded[HexPairBufferSize] = {};
    auto length = static_cast<std::uint32_t>(SendDlgItemMessage(
        page, PairField, WM_GETTEXT, HexPairBufferSize, reinterpret_cast<LPARAM>(pair_text)));
    DecodeHexPairs(pair_text, length, decoded);
    SetDlgItemText(page, TextField, decoded);
    AcceptEdits = 1;
}

void TextToPairs(HWND page, const char* text) {
    AcceptEdits = 0;
    char pair_text[HexPairBufferSize] = {};
    EncodeHexPairs(text, pair_text);
    SetDlgItemText(page, PairField, pair_text);
    AcceptEdits = 1;
}

// Runs on every change of the hexadecimal field, also one the page made itself, so that a
// value typed in binary reaches the decimal and octal forms too.
void HexadecimalToDecimalAndOctal(HWND page) {
    std::uint32_t value = ReadHexOperand(page, HexField, ChangeReadSize);
    char decimal[DecimalTextSize];
    FormatSignedDecimal(value, decimal);
    SetDlgItemText(page, SignedField, decimal);
    FormatUnsignedDecimal(value, decimal);
    SetDlgItemText(page, UnsignedField, decimal);
    char scratch[OctalScratchSize];
    char octal[OctalScratchSize];
    FormatOctal(value, scratch);
    SetDlgItemText(page, OctalField, ReverseString(scratch, octal));
}

void OnUpdate(HWND page, int id, HWND field) {
    if (AcceptEdits != 1) {
        return;
    }
    if (id != HexField && id != BinaryField && id != PairField && id != TextField) {
        return;
    }
    char text[UpdateReadSize] = {};
    auto length = static_cast<std::uint32_t>(
        SendMessage(field, WM_GETTEXT, UpdateReadSize, reinterpret_cast<LPARAM>(text)));
    switch (id) {
    case HexField:
        HexadecimalToBinary(page, text, length);
        break;
    case BinaryField:
        BinaryToHexadecimal(page, text, length);
        break;
    case PairField:
        PairsToText(page);
        break;
    case TextField:
        TextToPairs(page, text);
        break;
    default:
        break;
    }
}

} // namespace

INT_PTR CALLBACK ConvertPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        Initialise(page);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wparam) == EN_UPDATE) {
            OnUpdate(page, LOWORD(wparam), reinterpret_cast<HWND>(lparam));
        } else if (HIWORD(wparam) == EN_CHANGE && LOWORD(wparam) == HexField) {
            HexadecimalToDecimalAndOctal(page);
        }
        return TRUE;
    default:
        return FALSE;
    }
}
