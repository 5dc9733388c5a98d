#!/bin/sh
# The keyboard in the real window: Tab and Shift+Tab walk the page in template order (a
# field reached by Tab has its text selected, so typing replaces it), Space presses the
# focused button, Ctrl+Tab changes the page, and Enter is "Temizle" everywhere, which also
# unticks both carry boxes.
# Usage: keyboard.sh BIN_DIR
set -u
name=keyboard
. "$(dirname "$0")/desktop.sh"
start_test "$1"
start_display
start_program

# From the first operand: B of the AND row, its "=" button, its result, the A of the next
# row. The digits land where the keyboard is; Space on the button computes.
type_text '6'
press Tab
type_text '3'
press Tab space Tab
copied=$(copy_focused)
[ "$copied" = 00000002 ] || fail "Tab to the AND result copied \"$copied\", expected 00000002"
press Tab
type_text '5'
expect_field 2008 5

# Shift+Tab from the OR row's A goes back to the AND result; three more to the AND row's B,
# whose text Tab selected, so typing replaces it.
click 2008
press shift+Tab shift+Tab shift+Tab
type_text 'E'
expect_field 2005 E

# Tab from the last result reaches the carry box, "Temizle" and "Kapat", then wraps to the
# first operand.
click 2061
press Tab Tab Tab Tab
type_text '9'
expect_field 2003 9

# Ctrl+Tab shows the arithmetic page. Tick both carry boxes: 1 ADC 1 is 3 and 1 RCR 1 is
# 80000000 with the carry.
press ctrl+Tab
selected_tab=1
click 3043
adc_one_and_one() {
    click 3008
    type_text '1'
    click 3010
    type_text '1'
    click 3011
}
rcr_one_by_one() {
    click 2038
    type_text '1'
    click 2040
    type_text '1'
    click 2041
}
adc_one_and_one
expect_field 3012 00000003
click_tab 0
click 2062
rcr_one_by_one
expect_field 2042 80000000

# Enter in an operand field is "Temizle": every field empty and both boxes unticked, which
# RCR and ADC then show.
click 2003
press Return
expect_field 2003 ''
expect_field 2042 ''
rcr_one_by_one
expect_field 2042 00000000
click_tab 1
expect_field 3012 ''
adc_one_and_one
expect_field 3012 00000002

press Escape
wait_program_exit 10
[ "$status" -eq 0 ] || fail "exit code $status after Escape"
note ok
