#!/bin/sh
# Losing the compositor while the program runs on it: the program ends by itself within
# ten seconds, with exit status 1 and one line saying why, and without touching X11.
# Usage: display_loss.sh BIN_DIR
set -u
name=wayland_display_loss
. "$(dirname "$0")/compositor.sh"
start_test "$1"
start_compositor 1
start_program
type_text 12
kill "$weston_pid"
wait "$weston_pid" 2>/dev/null
weston_pid=
expect_end 1 "kalvetra: lost the connection to the display"
note ok
