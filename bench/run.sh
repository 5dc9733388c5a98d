#!/bin/sh
# Runs the benchmarks of a build tree (`make bench` builds them first): on an Xvfb display
# of its own, the start-up and memory of the calculator against the SDL floor, the time from
# a key to the frame that shows its effect against the floor's, and what the calculator does
# while idle; the key-to-frame times again at twice the pixel density; the start-up, memory and
# idle of the calculator on Wayland (bench/wayland.sh); the headless keystroke benchmark; and
# the size of the installed program. Prints the machine, every measurement and the verdicts.
#
#   bench/run.sh BUILD_DIR
#   RUNS=N KEYSTROKES=M bench/run.sh BUILD_DIR   (starts of each, default 21; keystrokes in
#                                                 the real window, default 500)
#   ACCESSIBILITY=on bench/run.sh BUILD_DIR      (everything on a private session bus whose
#                                                 accessibility bus asks for assistive
#                                                 technology, with a stand-in screen reader
#                                                 listening: the accessibility bridge's cost)
#   ACCESSIBILITY=off bench/run.sh BUILD_DIR     (the same bus, assistive technology not
#                                                 asked for: the cost of asking)
#   PORTAL=dark bench/run.sh BUILD_DIR           (everything on a private session bus whose
#                                                 desktop portal, a stand-in, asks for dark
#                                                 colours: what asking the portal costs)
set -eu

# Either asks for a private session bus of the benchmarks' own.
case "${ACCESSIBILITY:-}" in
on | off | "") ;;
*)
    echo "bench/run.sh: ACCESSIBILITY is on or off" >&2
    exit 2
    ;;
esac
case "${PORTAL:-}" in
dark | "") ;;
*)
    echo "bench/run.sh: PORTAL is dark or unset" >&2
    exit 2
    ;;
esac
if [ -n "${ACCESSIBILITY:-}${PORTAL:-}" ] && [ -z "${KALVETRA_BENCH_SESSION:-}" ]; then
    # Settings in memory, so that the session's services ignore the user's own.
    GSETTINGS_BACKEND=memory KALVETRA_BENCH_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

if [ $# -ne 1 ]; then
    echo "usage: bench/run.sh BUILD_DIR" >&2
    exit 2
fi
bin=$1/bin
for program in kalvetra sdl_floor startup_probe keystroke_probe idle_probe keystroke_headless \
    ${PORTAL:+portal_stand_in}; do
    if [ ! -x "$bin/$program" ]; then
        echo "bench/run.sh: no $bin/$program; build the benchmarks target first" >&2
        exit 1
    fi
done
# The stand-in portal answers as long as the shell holds its pipe open.
if [ -n "${PORTAL:-}" ]; then
    portal_commands=$(mktemp -u)
    mkfifo "$portal_commands"
    "$bin/portal_stand_in" 1 0 <"$portal_commands" >"$portal_commands.out" &
    exec 9>"$portal_commands"
    until grep -q ready "$portal_commands.out" 2>/dev/null; do sleep 0.05; done
    rm -f "$portal_commands" "$portal_commands.out"
    echo "desktop portal: a stand-in on a private session bus, color-scheme 1 (prefer dark)"
fi
if grep -q '^KALVETRA_SANITIZE:BOOL=ON' "$1/CMakeCache.txt" 2>/dev/null; then
    echo "bench/run.sh: warning: $1 is built with sanitizers; its figures are not the program's" >&2
fi

stand_in_pid=""
if [ -n "${ACCESSIBILITY:-}" ]; then
    wanted=false
    [ "$ACCESSIBILITY" = on ] && wanted=true
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
        "variant:boolean:$wanted" >/dev/null
    echo "accessibility bus: IsEnabled $wanted"
    if [ "$wanted" = true ]; then
        /usr/bin/python3 "$(dirname "$0")/screen_reader_stand_in.py" &
        stand_in_pid=$!
    fi
fi

echo "== machine"
echo "date:   $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "cpu:    $(nproc) x $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
echo "memory: $(awk '/^MemTotal:/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)"
echo "load:   $(cut -d ' ' -f 1-3 /proc/loadavg) (1, 5, 15 minutes)"

# An X server of our own on the first free display from :77 on, without a window manager;
# start_xvfb's arguments go to Xvfb (-dpi 192 for twice the density). With -noreset the
# server does not start over when one probe, its last client, leaves, which would drop the
# next probe's connection.
xvfb_pid=""
display=""
stop_xvfb() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
}
stop_all() {
    stop_xvfb
    if [ -n "$stand_in_pid" ]; then
        kill "$stand_in_pid" 2>/dev/null || true
        wait "$stand_in_pid" 2>/dev/null || true
        stand_in_pid=""
    fi
}
trap stop_all EXIT
trap 'stop_all; exit 1' INT TERM
start_xvfb() {
    display=""
    number=77
    while [ -z "$display" ] && [ "$number" -le 99 ]; do
        if [ ! -e "/tmp/.X$number-lock" ] && [ ! -e "/tmp/.X11-unix/X$number" ]; then
            Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp -noreset "$@" >/dev/null 2>&1 &
            xvfb_pid=$!
            tries=0
            while [ "$tries" -lt 100 ] && kill -0 "$xvfb_pid" 2>/dev/null; do
                if xdpyinfo -display ":$number" >/dev/null 2>&1; then
                    display=":$number"
                    break
                fi
                sleep 0.05
                tries=$((tries + 1))
            done
            # Taken meanwhile by someone else, or too slow to start: try the next one.
            [ -n "$display" ] || stop_xvfb
        fi
        number=$((number + 1))
    done
    if [ -z "$display" ]; then
        echo "bench/run.sh: cannot start Xvfb on any display from :77 to :99" >&2
        exit 1
    fi
    export DISPLAY="$display"
}
start_xvfb

echo
echo "== start-up and memory: $bin/kalvetra against $bin/sdl_floor on Xvfb $display"
size=$("$bin/startup_probe" --window-size "$bin/kalvetra")
echo "the calculator's window: $size pixels; the floor opens one of that size"
# shellcheck disable=SC2086 # the size is two words on purpose
"$bin/startup_probe" --runs "${RUNS:-21}" "$bin/kalvetra" --floor "$bin/sdl_floor" $size

# The floor answers keys in a small window of its own, in the corner the calculator leaves
# free at both densities.
floor_size="320 60"
echo
echo "== keystroke to screen: $bin/keystroke_probe on Xvfb $display"
# shellcheck disable=SC2086 # the size is two words on purpose
"$bin/keystroke_probe" --keystrokes "${KEYSTROKES:-500}" --server-pid "$xvfb_pid" "$bin/kalvetra" \
    --floor "$bin/sdl_floor" $floor_size

echo
echo "== idle: $bin/idle_probe on Xvfb $display"
"$bin/idle_probe" "$bin/kalvetra"
stop_xvfb

start_xvfb -dpi 192
echo
echo "== keystroke to screen at twice the density: $bin/keystroke_probe on Xvfb $display -dpi 192"
# shellcheck disable=SC2086 # the size is two words on purpose
"$bin/keystroke_probe" --keystrokes "${KEYSTROKES:-500}" --server-pid "$xvfb_pid" "$bin/kalvetra" \
    --floor "$bin/sdl_floor" $floor_size
stop_xvfb

# The same program on Wayland, where weston is there to measure it on.
if command -v weston >/dev/null 2>&1; then
    echo
    "$(dirname "$0")/wayland.sh" "$1"
fi

echo
echo "== keystrokes: $bin/keystroke_headless"
"$bin/keystroke_headless"

# What `make install` puts under the prefix, as installed and as `cmake --install --strip`
# installs it (the Debian package strips too), against the limit of 2 MiB.
echo
echo "== program size: cmake --install $1 into a staging directory"
stage=$(mktemp -d)
limit=2097152
for variant in installed stripped; do
    strip=""
    [ "$variant" = stripped ] && strip=--strip
    rm -rf "${stage:?}/usr"
    # shellcheck disable=SC2086 # no word when not stripping
    DESTDIR="$stage" cmake --install "$1" --prefix /usr $strip >/dev/null
    binary=$(stat -c %s "$stage/usr/bin/kalvetra")
    total=$(find "$stage/usr" -type f -printf '%s\n' | awk '{ sum += $1 } END { print sum }')
    files=$(find "$stage/usr" -type f | wc -l)
    verdict=MISS
    [ "$total" -lt "$limit" ] && verdict=PASS
    printf '%-9s binary %8d bytes   %d files %8d bytes (%.3f MiB)   target under 2 MiB   %s\n' \
        "$variant" "$binary" "$files" "$total" "$(echo "$total" | awk '{ print $1 / 1048576 }')" \
        "$verdict"
done
rm -rf "$stage"
