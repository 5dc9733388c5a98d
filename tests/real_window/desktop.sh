# Shared by the end-to-end tests (sourced, POSIX sh): a private X display for one test, the
# real program on it, and a user's actions on the window through xdotool and xclip. Controls
# are found where kalvetra-positions says they are on that display; texts are read back the
# way a user copies them. Each test script sets `name` and calls start_test with the folder
# of the built programs first.
#
# The display is the test's own Xvfb, never $DISPLAY: there is no window manager on it, its
# density (and so the window's scale) is known, and its clipboard and keyboard focus are not
# shared with another test or with a desktop. Without Xvfb, xdotool or xclip the test is
# skipped (exit 77). Helper programs a test starts and lists in `helper_pids` end with it.

. "$(dirname "$0")/../session_helpers.sh"

finish() {
    finish_session ${program_pid:-} ${helper_pids:-} ${bus_pid:-} ${xvfb_pid:-}
}

# start_test BIN_DIR: checks the tools, makes the work folder and cleans up at the end.
start_test() {
    bin=$1
    for tool in Xvfb xdotool xclip; do
        command -v "$tool" >/dev/null 2>&1 || { echo "$name: no $tool, skipped"; exit 77; }
    done
    work=$(mktemp -d "${TMPDIR:-/tmp}/kalvetra-$name.XXXXXX") || exit 1
    trap finish EXIT
    trap 'exit 1' INT TERM
}

# start_display [DPI]: a new Xvfb (96 dots per inch, scale 1, unless told otherwise), on a
# display number that it picks itself; DISPLAY names it from then on. Its keyboard has keys
# for the Turkish letters. (-noreset: an X server that resets when its last client leaves
# would forget them, and the clipboard with them.)
start_display() {
    : >"$work/display-number"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi "${1:-96}" -nolisten tcp -noreset \
        3>"$work/display-number" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    tries=0
    while ! grep -q '[0-9]' "$work/display-number"; do
        tries=$((tries + 1))
        [ "$tries" -le 100 ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
        sleep 0.1
    done
    DISPLAY=:$(tr -dc '0-9' <"$work/display-number")
    export DISPLAY
    "$bin/kalvetra-desktop-probe" turkish-keys || fail "cannot set up the keyboard"
}

# use_stand_in_opener: an xdg-open first on PATH that only writes what it was given, one
# line a call, into $work/opened.
use_stand_in_opener() {
    mkdir "$work/opener"
    cat >"$work/opener/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >>"$work/opened"
EOF
    chmod +x "$work/opener/xdg-open"
    PATH="$work/opener:$PATH"
    export PATH
}

# retry COMMAND...: runs the command every tenth of a second until it succeeds, 50 times at
# the most; false when it never did.
retry() {
    tries=0
    until "$@"; do
        tries=$((tries + 1))
        [ "$tries" -lt 50 ] || return 1
        sleep 0.1
    done
}

# start_helper OUTPUT COMMAND...: a helper program in the background, its output in OUTPUT,
# ended with the test; waits until it prints a line beginning "ready". Its process is
# `helper_pid`.
start_helper() {
    output=$1
    shift
    "$@" >"$output" 2>&1 &
    helper_pid=$!
    helper_pids="${helper_pids:-} $helper_pid"
    retry grep -q '^ready' "$output" || fail "$1 did not start: $(cat "$output")"
}

# start_session_bus: a D-Bus session bus of the test's own (dbus-daemon); the program started
# afterwards uses it, and `session_bus` names its address. Skipped without dbus-daemon.
start_session_bus() {
    command -v dbus-daemon >/dev/null 2>&1 || { echo "$name: no dbus-daemon, skipped"; exit 77; }
    dbus-daemon --session --fork --print-address=3 --print-pid=4 \
        3>"$work/bus-address" 4>"$work/bus-pid" || fail "cannot start a session bus"
    session_bus=$(cat "$work/bus-address")
    bus_pid=$(cat "$work/bus-pid")
}

# start_program [COMMAND...]: the real program (or the command that runs it) on the display,
# its window found, given the keyboard (there is no window manager to do it) and its controls
# located. It runs as on a bare X server: no session bus (none named, none in the runtime
# folder), so that a bus daemon started for it would show; or on the test's own bus, after
# start_session_bus. It runs under kalvetra-child-watch, which passes the ending signals on
# to it and writes down every process of its that outlives it. The window has `window_wait`
# seconds (30) to appear. The program's own process id, which the window tells, is `app_pid`.
start_program() {
    [ "$#" -gt 0 ] || set -- "$bin/kalvetra"
    mkdir -p "$work/runtime"
    env -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$work/runtime" \
        ${session_bus:+DBUS_SESSION_BUS_ADDRESS="$session_bus"} \
        "$bin/kalvetra-child-watch" "$work/survivors" "$@" \
        >"$work/program.out" 2>"$work/program.err" &
    program_pid=$!
    window=$(timeout "${window_wait:-30}" xdotool search --sync --onlyvisible --name 'Kalvetra' |
        head -n 1)
    [ -n "$window" ] || fail "no window appeared: $(cat "$work/program.err")"
    app_pid=$(xdotool getwindowpid "$window") || fail "the window tells no process id"
    xdotool windowfocus --sync "$window" || fail "cannot give the window the keyboard"
    # A helper of the tests: what the display libraries keep at its exit is of no interest.
    ASAN_OPTIONS=detect_leaks=0 "$bin/kalvetra-positions" >"$work/positions" ||
        fail "cannot locate the controls"
}

# wait_program_exit SECONDS: waits for the program to end and sets `status` to its exit
# status; no process it started may outlive it.
wait_program_exit() {
    wait_program_end "$1"
    [ ! -s "$work/survivors" ] || fail "left running after the program: $(cat "$work/survivors")"
}

# locate TARGET: "X Y", the centre of a control id, tab:N@S or menu:ID:LABEL (see
# kalvetra-positions) in the window.
locate() {
    awk -v target="$1" '$1 == target { print $2, $3; found = 1; exit } END { exit !found }' \
        "$work/positions"
}

# point_at TARGET [XDOTOOL COMMAND...]: moves the pointer over it, then runs the rest of
# the xdotool command chain there. (No --sync: it waits for a motion that never comes when
# the pointer is already in place.)
point_at() {
    position=$(locate "$1") || fail "no position for $1"
    shift
    xdotool mousemove --window "$window" "${position% *}" "${position#* }" "$@"
}

# click TARGET [BUTTON]: a click (1, the left button, unless told otherwise) on its centre.
click() {
    point_at "$1" click "${2:-1}"
}

# click_tab N: the tab while tab `selected_tab` is shown.
selected_tab=0
click_tab() {
    click "tab:$1@$selected_tab"
    selected_tab=$1
}

press() {
    xdotool key --delay 40 "$@"
}

type_text() {
    xdotool type --delay 40 "$1"
}

# set_clipboard TEXT: what another program (xclip) offers as the clipboard. xclip stays in
# the background until another program takes the clipboard; it must not hold the output of
# a command substitution open meanwhile.
set_clipboard() {
    printf '%s' "$1" | xclip -i -selection clipboard >/dev/null 2>&1
}

clipboard() {
    timeout 5 xclip -o -selection clipboard 2>/dev/null
}

# copy_focused: what Home, Shift+End and Ctrl+Insert copy from the focused field; empty when
# nothing comes (an empty field copies nothing). Ctrl+Insert, since the digit filters of the
# operand fields refuse the Ctrl+A and Ctrl+C characters.
copy_focused() {
    sentinel="kalvetra-test: nothing was copied"
    set_clipboard "$sentinel"
    press Home shift+End ctrl+Insert
    tries=0
    while [ "$tries" -lt 30 ]; do
        copied=$(clipboard)
        if [ "$copied" != "$sentinel" ]; then
            printf '%s\n' "$copied"
            return
        fi
        tries=$((tries + 1))
        sleep 0.1
    done
    echo
}

# pixel X Y: the colour of a point of the window, as "#RRGGBB".
pixel() {
    import -silent -window "$window" -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
        grep -o '#[0-9A-F]\{6\}' | head -n 1
}

# expect_field ID TEXT: clicks the field and copies its text, which must be TEXT.
expect_field() {
    click "$1"
    text=$(copy_focused)
    [ "$text" = "$2" ] || fail "field $1 holds \"$text\", expected \"$2\""
}
