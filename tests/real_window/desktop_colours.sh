#!/bin/sh
# The desktop's colours: the program starts on a session bus whose portal (a stand-in) says
# the desktop prefers dark, and its window is dark; the portal then says high contrast, and
# the window turns black and white without being touched; back to no preference, it is the
# classic grey again. Told by the colours of the dialog's face and of an empty field.
# Usage: desktop_colours.sh BIN_DIR
set -u
name=desktop_colours
. "$(dirname "$0")/desktop.sh"
start_test "$1"
command -v import >/dev/null 2>&1 || { echo "$name: no import (imagemagick), skipped"; exit 77; }
start_display
start_session_bus

# The stand-in portal takes its changes, "KEY VALUE", from a pipe that this shell holds.
mkfifo "$work/portal-commands"
exec 5<>"$work/portal-commands"
# (Started here, not by start_helper: a command in the background reads /dev/null unless its
# own redirection says otherwise.)
DBUS_SESSION_BUS_ADDRESS=$session_bus "$bin/kalvetra-portal-stand-in" 1 0 \
    <"$work/portal-commands" >"$work/portal.out" 2>&1 &
helper_pids="${helper_pids:-} $!"
retry grep -q '^ready' "$work/portal.out" || fail "no stand-in portal: $(cat "$work/portal.out")"
start_program

# The face: left of "Temizle", below the tab control; a field: the empty operand 2005,
# which has no caret.
temizle=$(locate 1) || fail "no position for Temizle"
face_x=5
face_y=${temizle#* }
field=$(locate 2005) || fail "no position for 2005"

# shows FACE FIELD: the face and the field have these colours now.
shows() {
    face=$(pixel "$face_x" "$face_y")
    # shellcheck disable=SC2086 # the position is two numbers
    inside=$(pixel $field)
    [ "$face" = "$1" ] && [ "$inside" = "$2" ]
}

# expect_colours PALETTE FACE FIELD: the window shows them within a few seconds.
expect_colours() {
    retry shows "$2" "$3" || fail "$1: face $face, field $inside; expected $2 and $3"
    note "$1: face $face, field $inside"
}

expect_colours dark '#303030' '#1E1E1E'
echo "contrast 1" >&5
expect_colours "high contrast" '#000000' '#000000'
echo "contrast 0" >&5
echo "color-scheme 0" >&5
expect_colours classic '#D4D0C8' '#FFFFFF'

press Escape
wait_program_exit 10
[ "$status" -eq 0 ] || fail "exit code $status after Escape"
note ok
