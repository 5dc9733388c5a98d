#pragma once

// The "Dönüşüm" page. Its upper group shows one 32-bit value in hexadecimal, binary, signed
// and unsigned decimal and octal, following the hexadecimal or binary field at every
// keystroke; its lower group converts between hexadecimal byte pairs and the text they
// spell, both ways, at every keystroke. The page reacts to its fields' EN_UPDATE and
// EN_CHANGE notifications and writes the dependent fields; the conversions themselves are
// in convert/ and operand/.

#include "platform/win/windows_api.h"

#include <cstdint>

// The page's controls: the two groups, the fields (hexadecimal, binary, signed and unsigned
// decimal, octal, byte pairs and the text they spell) and each field's label.
constexpr int NumericGroup = 4001;
constexpr int StringGroup = 4002;
constexpr int HexLabel = 4003;
constexpr int BinaryLabel = 4005;
constexpr int SignedLabel = 4007;
constexpr int UnsignedLabel = 4009;
constexpr int OctalLabel = 4011;
constexpr int PairLabel = 4013;
constexpr int TextLabel = 4015;
constexpr int HexField = 4004;
constexpr int BinaryField = 4006;
constexpr int SignedField = 4008;
constexpr int UnsignedField = 4010;
constexpr int OctalField = 4012;
constexpr int PairField = 4014;
constexpr int TextField = 4016;

// 1 except while a reaction writes a field: the field written must not convert back.
// Kept on purpose: a 32-bit value rather than a bool, as the page has always held it.
extern std::uint32_t AcceptEdits;

INT_PTR CALLBACK ConvertPage(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
