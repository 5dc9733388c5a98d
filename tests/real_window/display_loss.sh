#!/bin/sh
# Losing the display while the program runs (its X server killed): the program ends within a
# few seconds, by itself rather than by a signal, and says why on standard error. Tried
# twice: while nothing is due in the window, and while the caret blinks.
# Usage: display_loss.sh BIN_DIR
set -u
name=display_loss
. "$(dirname "$0")/desktop.sh"
start_test "$1"

# lose_display WHILE: starts a display and the program, does WHILE, kills the display.
lose_display() {
    start_display
    start_program
    "$@"
    kill "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
    wait_program_exit 5
    # A signal shows as 128 and more; ASan's own failures as 1 with a report.
    if [ "$status" -lt 1 ] || [ "$status" -ge 128 ]; then
        fail "exit status $status after losing the display"
    fi
    grep -q 'lost the connection to the display' "$work/program.err" ||
        fail "standard error says: $(cat "$work/program.err")"
    ! grep -q 'Sanitizer' "$work/program.err" ||
        fail "standard error has a sanitizer report: $(cat "$work/program.err")"
}

# At the start no input has come yet, so the caret does not blink and the program waits with
# no time limit; after typing it blinks, and the program wakes every half second.
lose_display sleep 0.5
lose_display type_text '1234'
note ok
