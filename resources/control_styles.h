#pragma once

// Style combinations that the templates share, so that every operand field, result field
// and button of the calculating pages looks the same. Only data; no code.

#include "platform/win/windows_api.h"

#include <cstdint>

constexpr std::uint32_t ChildStyle = WS_CHILD | WS_VISIBLE;

// Page dialogs: children of the tab control, without caption or border, hidden until shown.
constexpr std::uint32_t PageStyle = WS_CHILD | DS_SETFONT | DS_CONTROL;

// A plain left-aligned text; never a tab stop.
constexpr std::uint32_t LabelStyle = ChildStyle | SS_LEFT;

// Hexadecimal fields of the calculating pages: centred, upper-case, reachable by Tab.
constexpr std::uint32_t OperandFieldStyle = ChildStyle | WS_TABSTOP | ES_CENTER | ES_UPPERCASE;
constexpr std::uint32_t ResultFieldStyle = OperandFieldStyle | ES_READONLY;
// A result field that shows its text as written: the lower-case "r" between the two words
// of a pair and the division message keep their case.
constexpr std::uint32_t AsWrittenResultFieldStyle =
    ChildStyle | WS_TABSTOP | ES_CENTER | ES_READONLY;

constexpr std::uint32_t PushButtonStyle = ChildStyle | WS_TABSTOP | BS_PUSHBUTTON;
constexpr std::uint32_t CheckBoxStyle = ChildStyle | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr std::uint32_t GroupBoxStyle = ChildStyle | BS_GROUPBOX;

// Extended styles: the sunken frame of edit fields, the thin edge of the page buttons.
constexpr std::uint32_t FieldEdge = WS_EX_CLIENTEDGE;
constexpr std::uint32_t ButtonEdge = WS_EX_STATICEDGE;
