#!/bin/sh
# Each way of closing the real window ends the program with exit code 0 and nothing on
# standard error: "Kapat" clicked, Escape pressed (here on the About page, where no field
# has the keyboard), and the window manager's close (WM_DELETE_WINDOW, as a title bar's
# close button sends it). SIGHUP, SIGINT and SIGTERM end it the same way, with one line on
# standard error that names the signal.
# Usage: closing.sh BIN_DIR button|escape|window-manager|HUP|INT|TERM
set -u
name=closing_$2
. "$(dirname "$0")/desktop.sh"
start_test "$1"
start_display
start_program

case "$2" in
    button) click 2 ;;
    escape)
        click_tab 3
        press Escape
        ;;
    window-manager) "$bin/kalvetra-desktop-probe" close "$window" || fail "cannot send the close" ;;
    HUP | INT | TERM) kill -s "$2" "$program_pid" ;;
    *) fail "unknown way of closing: $2" ;;
esac
wait_program_exit 10
[ "$status" -eq 0 ] || fail "exit code $status, expected 0"
case "$2" in
    HUP | INT | TERM) expected_error="kalvetra: ended by SIG$2" ;;
    *) expected_error= ;;
esac
[ "$(cat "$work/program.err")" = "$expected_error" ] ||
    fail "standard error: \"$(cat "$work/program.err")\", expected \"$expected_error\""
note ok
