#!/bin/sh
# The real program on a Wayland compositor alone (weston, no X display), at an output scale
# of 1 or 2: it draws its window at that scale with its title, an app id that names its
# desktop entry and a title bar; keys typed reach it, a refused key flashes the window, its
# copies reach another program and another program's text pastes into it, all through the
# Wayland clipboard; and it ends with exit code 0 by Escape, or by SIGTERM with one line
# naming the signal. Nothing of X11 is called on the way: with no X display, or (with-x) with
# the nested X display there too and SDL_VIDEODRIVER=wayland asking for Wayland.
# Usage: session.sh BIN_DIR SOURCE_DIR SCALE escape|TERM [with-x]
set -u
name=wayland_session_$3x_$4
. "$(dirname "$0")/compositor.sh"
start_test "$1"
source_dir=$2
ending=$4
start_compositor "$3"
if [ "${5:-}" = with-x ]; then
    start_program DISPLAY="$x_display" SDL_VIDEODRIVER=wayland
else
    start_program
fi
log=$work/wayland.log

# The window as the compositor was asked for it. The content surface is the one given an
# xdg_surface; its buffers are the first made, before the title bar's.
surface=$(sed -n 's/.*get_xdg_surface(new id xdg_surface@[0-9]*, \(wl_surface@[0-9]*\)).*/\1/p' \
    "$log" | head -n 1)
[ -n "$surface" ] || fail "no toplevel surface in the log"
grep -q "set_title(\"\[QLX\]Kalvetra v1.2 (32-Bit)\")" "$log" || fail "no title set"
app_id=$(sed -n 's/.*set_app_id("\([^"]*\)").*/\1/p' "$log" | head -n 1)
[ -f "$source_dir/resources/desktop/$app_id.desktop" ] ||
    fail "app id \"$app_id\" names no desktop entry"
grep -q "$surface\.set_buffer_scale($scale)" "$log" || fail "buffer scale is not $scale"
set -- $(sed -n 's/.*create_buffer(new id wl_buffer@[0-9]*, 0, \([0-9]*\), \([0-9]*\),.*/\1 \2/p' \
    "$log" | head -n 1)
buffer_width=$1
buffer_height=$2
# The content is drawn at the scale's density: its buffer is `scale` times the size the
# window takes on the output.
geometry_width=$(sed -n 's/.*set_window_geometry(-*[0-9]*, -*[0-9]*, \([0-9]*\),.*/\1/p' "$log" |
    head -n 1)
[ "$buffer_width" -eq $((geometry_width * scale)) ] ||
    fail "a buffer $buffer_width pixels wide for a window of $geometry_width at scale $scale"
# A title bar: libdecor's buffers beside the content's, or the compositor's own.
[ "$(grep -c 'create_buffer' "$log")" -gt 2 ] || grep -q 'zxdg_toplevel_decoration' "$log" ||
    fail "no title bar"

# The first operand has the keyboard. A refused key flashes the whole window: it is sent
# whole twice, inverted and then as it was.
whole="$surface.damage_buffer(0, 0, $buffer_width, $buffer_height)"
type_text 1
sleep 0.5
before=$(grep -cF "$whole" "$log")
type_text g
sleep 0.8
flashes=$(($(grep -cF "$whole" "$log") - before))
[ "$flashes" -ge 2 ] || fail "a refused key sent the whole window $flashes times, not 2"
before=$(grep -cF "$whole" "$log")
type_text f
sleep 0.5
[ "$(grep -cF "$whole" "$log")" -eq "$before" ] || fail "an accepted key sent the whole window"

# "f" became "F"; Shift+Home and Ctrl+Insert copy it (the digit filter refuses Ctrl+C).
press shift+Home ctrl+Insert
text=$(copied)
[ "$text" = "1F" ] || fail "field holds \"$text\", expected 1F"
# The second operand, "=" pressed with Space, the result copied with Ctrl+C.
press Tab 3 Tab space Tab ctrl+c
text=$(copied)
[ "$text" = "00000003" ] || fail "AND result \"$text\", expected 00000003"
# Back to the second operand (Shift+Tab selects its text) and another program's text pasted
# over it, white space and 0x dropped; then "=" again.
offer "  0xbeef "
press shift+Tab shift+Tab shift+Insert Tab space Tab ctrl+c
text=$(copied)
[ "$text" = "0000000F" ] || fail "1F AND BEEF gave \"$text\", expected 0000000F"

case "$ending" in
escape)
    press Escape
    expected_errors=
    ;;
TERM)
    kill -s TERM "$program_pid"
    expected_errors="kalvetra: ended by SIGTERM"
    ;;
*) fail "unknown ending: $ending" ;;
esac
expect_end 0 "$expected_errors"
note ok
