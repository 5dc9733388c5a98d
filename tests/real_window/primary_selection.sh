#!/bin/sh
# The PRIMARY selection shared with other X programs (xclip -selection primary), both ways:
# text the user selects in a field is offered at once, with Turkish letters; a middle click
# pastes what another program offers at the click, by the field's rules: the text field takes
# it, a digit field only its digits, the byte-pair field nothing. An owner that never answers
# leaves the field as it was, with one beep, and keeps the selection.
# Usage: primary_selection.sh BIN_DIR
set -u
name=primary_selection
. "$(dirname "$0")/desktop.sh"
start_test "$1"
start_display
"$bin/kalvetra-desktop-probe" count-bells "$work/bells" &
helper_pids=$!
start_program

set_primary() {
    printf '%s' "$1" | xclip -i -selection primary >/dev/null 2>&1
}

primary() {
    timeout 5 xclip -o -selection primary 2>/dev/null
}

primary_is() {
    [ "$(primary)" = "$1" ]
}

# expect_primary TEXT: what another program reads from the PRIMARY selection, soon.
expect_primary() {
    retry primary_is "$1" || fail "the PRIMARY selection holds \"$(primary)\", expected \"$1\""
}

middle_click() {
    click "$1" 2
}

click_tab 2

# Selected by the keyboard in the text field: offered as the user selects.
click 4016
type_text 'Ağaç'
press Home shift+Right shift+Right
expect_primary 'Ağ'
press shift+End
expect_primary 'Ağaç'

# Pasted at the click: the middle of the empty byte-pair field's partner, the text field.
click 4016
press ctrl+a BackSpace
set_primary 'Şış'
middle_click 4016
expect_field 4014 'DE FD FE'

# The byte-pair field refuses it, with a beep.
bells_before=$(cat "$work/bells")
set_primary '41'
middle_click 4014
sleep 1
[ $(($(cat "$work/bells") - bells_before)) -eq 1 ] || fail "no beep for a paste into 4014"
expect_field 4014 'DE FD FE'

# A hexadecimal field takes digits, refuses the rest.
click_tab 0
set_primary ' 0x1f '
middle_click 2003
expect_field 2003 '1F'
set_primary 'zz'
middle_click 2005
expect_field 2005 ''

# An owner that never answers: no paste, one beep, and it keeps the selection.
start_helper "$work/owner.out" "$bin/kalvetra-clipboard-owner" --primary silent
owner_window=$(sed -n 's/^ready //p' "$work/owner.out")
bells_before=$(cat "$work/bells")
middle_click 2008
sleep 1.5
[ $(($(cat "$work/bells") - bells_before)) -eq 1 ] || fail "no beep for an owner that never answers"
[ "$("$bin/kalvetra-clipboard-owner" --primary query)" = "$owner_window" ] ||
    fail "the silent owner lost the PRIMARY selection"
expect_field 2008 ''

press Escape
wait_program_exit 10
[ "$status" -eq 0 ] || fail "exit code $status after Escape"
note ok
