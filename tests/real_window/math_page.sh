#!/bin/sh
# The arithmetic page in the real window: a product in the pair form, the division message,
# a quotient with a remainder, and ADC with the carry box ticked.
# Usage: math_page.sh BIN_DIR
set -u
name=math_page
. "$(dirname "$0")/desktop.sh"
start_test "$1"
start_display
start_program

click_tab 1

# FFFFFFFF × FFFFFFFF = FFFFFFFE00000001: low half first, then " r " and the high half.
click 3023
type_text 'ffffffff'
click 3025
type_text 'FFFFFFFF'
click 3026
expect_field 3027 '00000001 r FFFFFFFE'

# DIV by an empty divisor shows the message in the result field; 7 DIV 2 = 3 r 1.
click 3033
type_text '7'
click 3036
expect_field 3037 'Sıfıra Bölünme Hatası!'
click 3035
type_text '2'
click 3036
expect_field 3037 '00000003 r 00000001'

# IDIV takes the dividend as unsigned: FFFFFFFE IDIV 2 = 7FFFFFFF.
click 3038
type_text 'FFFFFFFE'
click 3040
type_text '2'
click 3041
expect_field 3042 7FFFFFFF

# ADC adds the ticked carry: 1 + 2 + 1 = 4.
click 3008
type_text '1'
click 3010
type_text '2'
click 3043
click 3011
expect_field 3012 00000004

# The result fields are read-only: typing into one changes nothing.
click 3012
type_text '99'
expect_field 3012 00000004

press Escape
wait_program_exit 10
[ "$status" -eq 0 ] || fail "exit code $status after Escape"
note ok
