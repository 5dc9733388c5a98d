#!/bin/sh
# Starts the real program on the X display, types into it with xdotool as a user would, reads
# the field back through the clipboard, and closes it with Escape: the exit code must be 0.
# Exits 77 (skipped) when there is no display to test on.
set -u
program=$1
[ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 || exit 77
command -v xdotool >/dev/null 2>&1 && command -v xclip >/dev/null 2>&1 || exit 77

fail() {
    echo "typing_smoke: $*" >&2
    kill "$pid" 2>/dev/null
    exit 1
}

"$program" &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name 'Kalvetra' | head -n 1)
[ -n "$window" ] || fail "no window appeared"
xdotool windowfocus --sync "$window" || fail "cannot focus the window"
clipboard() {
    sleep 0.3
    timeout 5 xclip -o -selection clipboard 2>/dev/null
}
# The first operand has the keyboard: "g" is refused, "1f" becomes "1F". The digit filter
# refuses Ctrl+A and Ctrl+C, so select with Shift+Home and copy with Ctrl+Insert.
xdotool type --delay 30 '1gf'
xdotool key --delay 30 shift+Home ctrl+Insert
text=$(clipboard)
[ "$text" = "1F" ] || fail "field holds \"$text\", expected 1F"
# Tab to the second operand, type 3, Tab to "=" and press it with Space, Tab to the result
# (which selects it) and copy it.
xdotool key --delay 30 Tab 3 Tab space Tab ctrl+c
text=$(clipboard)
[ "$text" = "00000003" ] || fail "AND result \"$text\", expected 00000003"
xdotool key Escape
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit code $status after Escape"
echo "typing_smoke: ok"
