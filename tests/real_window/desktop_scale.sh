#!/bin/sh
# Where the window's scale comes from: on a display whose core screen says 120 dots per inch
# (1.25), an XSETTINGS manager's Xft/DPI of 144 (1.5) comes first, and the resource manager's
# Xft.dpi comes before both; the same scale makes the same window by either way. Told by the
# size of the window, started afresh each time.
# Usage: desktop_scale.sh BIN_DIR
set -u
name=desktop_scale
. "$(dirname "$0")/desktop.sh"
start_test "$1"
command -v xprop >/dev/null 2>&1 || { echo "$name: no xprop, skipped"; exit 77; }
start_display 120

# window_size: the program started, its window's size read into `size`, the program closed.
# (Not in a subshell: only this shell may end the display.)
window_size() {
    start_program
    size=$(xdotool getwindowgeometry "$window" | awk '/Geometry:/ { print $2 }')
    press Escape
    wait_program_exit 10
    [ "$status" -eq 0 ] || fail "exit code $status after Escape"
    [ -n "$size" ] || fail "no size for the window"
}

# settings_manager DPI: an XSETTINGS manager publishing it, in place of any before.
settings_manager() {
    [ -z "${manager_pid:-}" ] || kill "$manager_pid"
    start_helper "$work/manager.out" "$bin/kalvetra-xsettings-owner" "$1"
    manager_pid=$helper_pid
}

xft_dpi() {
    xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$1" ||
        fail "cannot set Xft.dpi"
}

# expect_size WHAT EXPECTED: the window's size now.
expect_size() {
    window_size
    [ "$size" = "$2" ] || fail "$1: the window is $size, expected $2"
    note "$1: $size"
}

window_size
core=$size
note "the core screen's 120 dots per inch: $core"

settings_manager 144
window_size
by_xsettings=$size
[ "$by_xsettings" != "$core" ] || fail "Xft/DPI 144 left the window at $core"
note "XSETTINGS Xft/DPI 144: $by_xsettings"

settings_manager -1
expect_size "XSETTINGS Xft/DPI -1, the default" "$core"

settings_manager 144
xft_dpi 120
expect_size "Xft.dpi 120 with Xft/DPI 144" "$core"
xft_dpi 144
expect_size "Xft.dpi 144" "$by_xsettings"

kill "$manager_pid"
manager_pid=
xft_dpi 96
window_size
note "Xft.dpi 96: $size"
[ "$size" != "$core" ] && [ "$size" != "$by_xsettings" ] || fail "Xft.dpi 96 gave $size"
note ok
