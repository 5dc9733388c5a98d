#!/bin/sh
# The display asking for absurd window sizes, as any program can where no window manager
# runs (xdotool windowsize): the window returns to its own size every time, nothing is
# allocated for the size asked (the sanitized program would abort on an overflowed or
# enormous surface), and the program goes on working.
# Usage: absurd_sizes.sh BIN_DIR
set -u
name=absurd_sizes
. "$(dirname "$0")/desktop.sh"
start_test "$1"
start_display
start_program

size() {
    xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: //p'
}
own_size=$(size)
has_own_size() {
    [ "$(size)" = "$own_size" ]
}

# 23170 is where width x height x 4 bytes passes 2^31; 32767 is the most X allows.
for asked in '23170 23170' '32767 32767' '1 1' '32767 1'; do
    # shellcheck disable=SC2086 # the two numbers are two arguments
    xdotool windowsize "$window" $asked || fail "cannot ask for $asked"
    retry has_own_size || fail "asked for $asked, the window stays $(size), not $own_size"
done

click 2003
type_text '1f'
expect_field 2003 '1F'
press Escape
wait_program_exit 10
[ "$status" -eq 0 ] || fail "exit code $status after Escape: $(cat "$work/program.err")"
note ok
