#!/bin/sh
# The logical page in the real window, used only as a user can: clicks on the controls'
# positions, keys and typed text through xdotool, results copied out through the clipboard.
# Usage: logic_page.sh BIN_DIR
set -u
name=logic_page
. "$(dirname "$0")/desktop.sh"
start_test "$1"
start_display
start_program

# The first operand has the keyboard from the start: "g" is refused, "f" becomes "F".
type_text '1gf'
press Tab
type_text '3'
click 2006
expect_field 2007 00000003
expect_field 2003 1F

# SHL by 21: the count is taken modulo 32.
click 2028
type_text '1'
click 2030
type_text '21'
click 2031
expect_field 2032 00000002

# A count field takes two digits only.
click 2020
type_text '123'
expect_field 2020 12

# RCR rotates the carry box's flag into bit 31 while it is ticked, and a zero while not;
# the box itself never changes by a rotation.
click 2038
type_text '1'
click 2040
type_text '1'
click 2062
click 2041
expect_field 2042 80000000
click 2041
expect_field 2042 80000000
click 2062
click 2041
expect_field 2042 00000000

# One-operand rows: NOT of an empty field, BSWAP.
click 2054
expect_field 2055 FFFFFFFF
click 2059
type_text '12345678'
click 2060
expect_field 2061 78563412

press Escape
wait_program_exit 10
[ "$status" -eq 0 ] || fail "exit code $status after Escape"
note ok
