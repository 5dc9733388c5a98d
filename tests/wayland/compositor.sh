# Shared by the Wayland tests (sourced, POSIX sh): a private Wayland compositor for one test,
# Debian's weston on its X11 backend nested in a private Xvfb, and the real program on it
# with no X display at all, used only as a user can: keys typed into weston's X window with
# xdotool, the Wayland clipboard read and written with wl-clipboard. What the program asked
# of the compositor is read from its WAYLAND_DEBUG log. Each test script sets `name` and calls
# start_test with the folder of the built programs first (a script outside tests/ sets
# `tests` to that folder before sourcing this). Without Xvfb, weston, xdotool or
# wl-clipboard the test is skipped (exit 77).

. "${tests:-$(dirname "$0")/..}/session_helpers.sh"

finish() {
    finish_session ${program_pid:-} ${weston_pid:-} ${xvfb_pid:-}
}

# start_test BIN_DIR: checks the tools, makes the work folder and cleans up at the end.
start_test() {
    bin=$1
    for tool in Xvfb weston xdotool xwininfo wl-copy wl-paste; do
        command -v "$tool" >/dev/null 2>&1 || { echo "$name: no $tool, skipped"; exit 77; }
    done
    work=$(mktemp -d "${TMPDIR:-/tmp}/kalvetra-$name.XXXXXX") || exit 1
    trap finish EXIT
    trap 'exit 1' INT TERM
    mkdir -m 700 "$work/runtime"
    XDG_RUNTIME_DIR=$work/runtime
    WAYLAND_DISPLAY=kalvetra-test
    export XDG_RUNTIME_DIR WAYLAND_DISPLAY
    unset WAYLAND_SOCKET SDL_VIDEODRIVER
}

# wait_for SECONDS WHAT COMMAND...: runs COMMAND every tenth of a second until it succeeds.
wait_for() {
    limit=$(($1 * 10))
    what=$2
    shift 2
    tries=0
    until "$@"; do
        tries=$((tries + 1))
        [ "$tries" -le "$limit" ] || fail "no $what after $((limit / 10)) s"
        sleep 0.1
    done
}

# start_compositor SCALE: an Xvfb, and weston on it at that output scale with its socket in
# the test's own runtime folder. DISPLAY names the Xvfb only for xdotool's sake: the program
# is started without it.
start_compositor() {
    scale=$1
    : >"$work/display-number"
    Xvfb -displayfd 3 -screen 0 "$((1000 * scale + 100))x$((850 * scale + 100))x24" \
        -nolisten tcp -noreset 3>"$work/display-number" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    wait_for 10 "Xvfb" grep -q '[0-9]' "$work/display-number"
    x_display=:$(tr -dc '0-9' <"$work/display-number")
    # A compositor started before in this runtime folder may have left its socket.
    rm -f "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY.lock"
    # No blanking (--idle-time=0): a blanked output sends no frame callbacks.
    DISPLAY=$x_display weston --backend=x11-backend.so --use-pixman --no-config --idle-time=0 \
        --socket="$WAYLAND_DISPLAY" --width=1000 --height=850 --scale="$scale" \
        >"$work/weston.log" 2>&1 &
    weston_pid=$!
    wait_for 30 "weston window on $x_display" find_weston_window
    wait_for 30 "weston socket" test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY"
    # The X keyboard goes to weston now, before any client: weston takes a change of X focus
    # as losing the keyboard and getting it back, and may hand it back to no client.
    DISPLAY=$x_display xdotool windowfocus --sync "$weston_window" ||
        fail "cannot give weston's window the X keyboard"
}

find_weston_window() {
    weston_window=$(DISPLAY=$x_display xwininfo -root -children |
        awk '/"Weston Compositor/ { print $1; exit }')
    [ -n "$weston_window" ]
}

# start_program [ENV...]: the real program on the compositor, with no X display and the
# X11 tripwire preloaded (where the tests are built); its requests and events go to
# $work/wayland.log. Returns once the compositor has given its window the keyboard.
start_program() {
    tripwire=$bin/libkalvetra-x11-tripwire.so
    [ -f "$tripwire" ] || tripwire=
    env -u DISPLAY -u DBUS_SESSION_BUS_ADDRESS WAYLAND_DEBUG=1 \
        LD_PRELOAD="$tripwire" KALVETRA_X11_TRIPWIRE="$work/x11-calls" \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" "$@" \
        "$bin/kalvetra" >"$work/program.out" 2>"$work/wayland.log" &
    program_pid=$!
    wait_for 30 "keyboard focus for the window" has_keyboard
    # Shift, which changes nothing in the window, until a key is seen to arrive.
    wait_for 10 "key reaching the window" shift_arrives
}

shift_arrives() {
    press shift
    sleep 0.2
    grep -q 'wl_keyboard@[0-9]*\.key(' "$work/wayland.log"
}

# Whether the window has the keyboard: the compositor's last word on it was enter.
has_keyboard() {
    [ "$(grep -o 'wl_keyboard@[0-9]*\.\(enter\|leave\)' "$work/wayland.log" | tail -n 1 |
        sed 's/.*\.//')" = enter ]
}

keyboard_entries() {
    grep -c 'wl_keyboard@[0-9]*\.enter' "$work/wayland.log"
}

# wl-clipboard's programs take the keyboard from the window for a moment to reach the
# clipboard: keys typed meanwhile would go to them. with_clipboard COMMAND... runs one and
# waits until the window has the keyboard again.
with_clipboard() {
    entries=$(keyboard_entries)
    "$@"
    result=$?
    wait_for 10 "keyboard back for the window" sh -c \
        "[ \$(grep -c 'wl_keyboard@[0-9]*\.enter' '$work/wayland.log') -gt $entries ]"
    wait_for 10 "keyboard back for the window" has_keyboard
    return $result
}

press() {
    DISPLAY=$x_display xdotool key --delay 40 "$@"
}

type_text() {
    DISPLAY=$x_display xdotool type --delay 40 "$1"
}

# copied: what the window put on the Wayland clipboard last.
copied() {
    sleep 0.3
    with_clipboard timeout 5 wl-paste --no-newline >"$work/copied" 2>/dev/null
    cat "$work/copied"
}

# offer TEXT: another program offers TEXT as the clipboard.
offer() {
    printf '%s' "$1" | with_clipboard wl-copy
}

# What the program wrote on standard error besides the protocol log.
program_errors() {
    grep -v '^\[ *[0-9]*\.[0-9]*\] ' "$work/wayland.log"
}

# expect_end STATUS ERRORS: the program ends within 10 s with exit status STATUS, having
# written ERRORS on standard error besides the protocol log, and not having touched X11.
expect_end() {
    wait_program_end 10
    [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
    [ "$(program_errors)" = "$2" ] ||
        fail "standard error: \"$(program_errors)\", expected \"$2\""
    [ ! -s "$work/x11-calls" ] || fail "X11 was called: $(tr '\n' ' ' <"$work/x11-calls")"
}
