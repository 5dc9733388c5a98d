#!/bin/sh
# Starts the Windows program (the x86-64 kalvetra.exe) under Wine on the X display and uses
# it as a user would, with xdotool: clicks into the AND row's first operand, types, reads
# the field back through the clipboard, computes the row and reads its result, and closes
# the program with Escape, which must end it with exit code 0.
# Usage: typing_smoke.sh PROGRAM WORK_DIR
# Exits 77 (skipped) without the MinGW-w64 toolchain, Wine, an X display, xdotool or xclip.
set -u
program=$1
work=$2
here=$(dirname "$0")

command -v x86_64-w64-mingw32-g++ >/dev/null 2>&1 || { echo "no MinGW-w64 toolchain"; exit 77; }
command -v xdotool >/dev/null 2>&1 && command -v xclip >/dev/null 2>&1 || exit 77
. "$here/wine_environment.sh"
prepare_wine "$work"
if [ ! -f "$program" ]; then
    echo "$program is missing: build it with make windows"
    exit 1
fi

fail() {
    echo "wine_typing_smoke: $*" >&2
    exit 1
}

run_wine "$program" &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'Kalvetra' | head -n 1)
[ -n "$window" ] || fail "no window appeared"
# No window manager runs on the display: focus the window directly.
xdotool windowfocus --sync "$window" || fail "cannot focus the window"
eval "$(xdotool getwindowgeometry --shell "$window")"

# Clicks the point (x, y) of the main window's client area, in dialog units. The window
# is the client area of 308 x 248 units inside a dialog frame of three pixels; its caption
# is above, so heights count from the bottom edge.
click() {
    set -- $(awk -v x="$1" -v y="$2" -v width="$WIDTH" -v height="$HEIGHT" 'BEGIN {
        scale = (width - 6) / 308
        printf "%d %d\n", 3 + x * scale, height - 3 - (248 - y) * scale }')
    xdotool mousemove --window "$window" "$1" "$2" click 1
}
clipboard() {
    sleep 0.5
    timeout 5 xclip -o -selection clipboard 2>/dev/null
}

# The logic page starts at 4, 14 of the client area; its AND row is 20 units further down.
# The first operand: "g" is refused, "1f" becomes "1F". The digit filter refuses Ctrl+A and
# Ctrl+C, so select with Shift+Home and copy with Ctrl+Insert.
click 46 40
xdotool type --delay 50 '1gf'
xdotool key --delay 50 shift+Home ctrl+Insert
text=$(clipboard)
[ "$text" = "1F" ] || fail "field 2003 holds \"$text\", expected 1F"
# The second operand 3, the row's "=" button, then the result field, copied whole.
click 158 40
xdotool type --delay 50 3
click 209 40
click 260 40
xdotool key --delay 50 Home shift+End ctrl+Insert
text=$(clipboard)
[ "$text" = "00000003" ] || fail "AND result \"$text\", expected 00000003"

xdotool key Escape
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after Escape"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit code $status after Escape"
echo "wine_typing_smoke: ok"
