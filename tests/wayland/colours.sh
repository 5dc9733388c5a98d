#!/bin/sh
# The desktop's colours on Wayland: the program starts on a session bus whose portal (a
# stand-in) says the desktop prefers dark, and its window is dark; the portal then says it has
# no preference, and the window turns the classic grey without being touched. Told by the
# colours of weston's output: the dialog's face and the empty fields cover thousands of pixels.
# Usage: colours.sh BIN_DIR
set -u
name=wayland_colours
. "$(dirname "$0")/compositor.sh"
start_test "$1"
for tool in import convert dbus-daemon; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$name: no $tool, skipped"; exit 77; }
done

finish() {
    finish_session ${program_pid:-} ${portal_pid:-} ${bus_pid:-} ${weston_pid:-} ${xvfb_pid:-}
}

start_compositor 1
dbus-daemon --session --fork --print-address=3 --print-pid=4 \
    3>"$work/bus-address" 4>"$work/bus-pid" || fail "cannot start a session bus"
bus=$(cat "$work/bus-address")
bus_pid=$(cat "$work/bus-pid")
# The stand-in takes its changes, "KEY VALUE", from a pipe that this shell holds.
mkfifo "$work/portal-commands"
exec 5<>"$work/portal-commands"
DBUS_SESSION_BUS_ADDRESS=$bus "$bin/kalvetra-portal-stand-in" 1 0 \
    <"$work/portal-commands" >"$work/portal.out" 2>&1 &
portal_pid=$!
wait_for 10 "stand-in portal" grep -q '^ready' "$work/portal.out"
start_program DBUS_SESSION_BUS_ADDRESS="$bus"

# pixels COLOUR: how many pixels of weston's output have the colour (RRGGBB).
pixels() {
    convert "$work/output.png" -format %c histogram:info:- |
        awk -v colour="#$1" 'toupper($3) == colour { sub(":", "", $1); print $1; found = 1 }
            END { if (!found) print 0 }'
}

# shows COLOUR... [-- ABSENT...]: each colour covers at least 2,000 pixels (an empty field is
# about that), and each absent one fewer.
shows() {
    DISPLAY=$x_display import -silent -window root "$work/output.png" 2>/dev/null || return 1
    wanted=present
    for colour in "$@"; do
        if [ "$colour" = -- ]; then
            wanted=absent
            continue
        fi
        count=$(pixels "$colour")
        if [ "$wanted" = present ]; then
            [ "$count" -ge 2000 ] || return 1
        else
            [ "$count" -lt 2000 ] || return 1
        fi
    done
}

wait_for 10 "dark face and fields" shows 303030 1E1E1E -- D4D0C8
note "dark: $(pixels 303030) face pixels, $(pixels 1E1E1E) field pixels"
echo "color-scheme 0" >&5
wait_for 10 "classic face and fields after the portal's change" shows D4D0C8 FFFFFF -- 1E1E1E
note "classic: $(pixels D4D0C8) face pixels, $(pixels FFFFFF) field pixels"

press Escape
wait_program_end 10
[ "$status" -eq 0 ] || fail "exit code $status after Escape: $(tail -n 5 "$work/wayland.log")"
note ok
