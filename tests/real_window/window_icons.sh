#!/bin/sh
# The window's icon at every size, as window managers and task switchers read it
# (_NET_WM_ICON, shown by xprop): 16, 24, 32, 48, 64, 128 and 256 pixels.
# Usage: window_icons.sh BIN_DIR
set -u
name=window_icons
. "$(dirname "$0")/desktop.sh"
start_test "$1"
command -v xprop >/dev/null 2>&1 || { echo "$name: no xprop, skipped"; exit 77; }
start_display
start_program

# All of its bytes: by default xprop shows only the first few pictures.
sizes=$(xprop -id "$window" -len 1000000 _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' |
    sed 's/Icon (\([0-9]*\) x \([0-9]*\))/\1x\2/' | tr '\n' ' ')
[ "$sizes" = "16x16 24x24 32x32 48x48 64x64 128x128 256x256 " ] ||
    fail "the window's icons are \"$sizes\""
note "icons: $sizes"

press Escape
wait_program_exit 10
[ "$status" -eq 0 ] || fail "exit code $status after Escape"
note ok
