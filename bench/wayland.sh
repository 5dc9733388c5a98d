#!/bin/sh
# The calculator on Wayland: its start-up to the first frame the compositor showed and its
# resident memory then, at output scales 1 and 2, and its wake-ups while idle; on weston
# nested in an Xvfb of its own (tests/wayland/compositor.sh), with no X display.
#
# One start: t0 is taken just before the program starts; the program runs with WAYLAND_DEBUG=1,
# whose log stamps every message with the time it was sent or received. t1 is the stamp of
# the compositor's "done" for the first frame callback of the window's content, which comes
# when the compositor has shown that frame. 300 ms later VmRSS is read and the program ended.
# The log costs the program some time of its own; the figures are upper bounds.
#
#   bench/wayland.sh BUILD_DIR   (RUNS=N: starts at each scale, default 21)
set -eu

bin=$(cd "$1/bin" && pwd)
name=wayland_bench
tests=$(dirname "$0")/../tests
. "$tests/wayland/compositor.sh"
start_test "$bin"
runs=${RUNS:-21}

# The milliseconds from t0 (nanoseconds since the epoch) to the first frame in LOG. The log's
# stamps are microseconds of the real-time clock, in 32 bits, shown as milliseconds.
first_frame_ms() {
    awk -v t0="$1" '
        function stamp(line) { sub(/^\[ */, "", line); sub(/\].*/, "", line); return line * 1000 }
        /get_xdg_surface\(new id/ && !surface { match($0, /wl_surface@[0-9]+/); surface = substr($0, RSTART, RLENGTH) }
        surface && index($0, surface ".frame(new id") && !callback {
            match($0, /wl_callback@[0-9]+/); callback = substr($0, RSTART, RLENGTH) }
        callback && index($0, callback ".done(") {
            start = (t0 / 1000) % 4294967296
            printf "%.1f\n", ((stamp($0) - start + 4294967296) % 4294967296) / 1000
            exit }' "$2"
}

frame_shown() {
    [ -n "$(first_frame_ms "$t0" "$work/start.log")" ]
}

rss_mib() {
    awk '/^VmRSS:/ { printf "%.2f\n", $2 / 1024 }' "/proc/$1/status"
}

# median of the numbers on standard input, and min-max
summary() {
    sort -n | awk '{ v[NR] = $1 } END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%.1f (%.1f-%.1f)", m, v[1], v[NR] }'
}

measure_scale() {
    start_compositor "$1"
    : >"$work/times"
    : >"$work/rss"
    run=0
    while [ "$run" -le "$runs" ]; do
        t0=$(date +%s%N)
        env -u DISPLAY WAYLAND_DEBUG=1 "$bin/kalvetra" 2>"$work/start.log" &
        program_pid=$!
        wait_for 30 "first frame" frame_shown
        sleep 0.3
        rss=$(rss_mib "$program_pid")
        kill "$program_pid"
        wait "$program_pid" || true
        program_pid=
        # The first start fills the caches and is not counted.
        if [ "$run" -gt 0 ]; then
            first_frame_ms "$t0" "$work/start.log" >>"$work/times"
            echo "$rss" >>"$work/rss"
        fi
        run=$((run + 1))
    done
    printf 'scale %s: start-up %s ms, RSS %s MiB (median (min-max) of %s starts)\n' "$1" \
        "$(summary <"$work/times")" "$(summary <"$work/rss")" "$runs"
    kill "$weston_pid" "$xvfb_pid"
    wait "$weston_pid" "$xvfb_pid" 2>/dev/null || true
    weston_pid=
    xvfb_pid=
}

# Context switches of all the program's threads, and its CPU ticks (user + system).
activity() {
    switches=0
    for task in /proc/"$1"/task/*; do
        switches=$((switches + $(awk '/ctxt_switches/ { s += $2 } END { print s }' "$task/status")))
    done
    echo "$switches $(awk '{ print $14 + $15 }' "/proc/$1/stat")"
}

measure_idle() {
    start_compositor 1
    start_program
    type_text 1
    # The caret blinks for 10 s after the last input; then nothing is due.
    sleep 12
    set -- $(activity "$program_pid")
    sleep 10
    set -- "$@" $(activity "$program_pid")
    printf 'idle, focused, 12-22 s after the last key: %s context switches, %s CPU ticks\n' \
        "$(($3 - $1))" "$(($4 - $2))"
    kill "$program_pid"
    wait "$program_pid" || true
    program_pid=
}

echo "== Wayland: $bin/kalvetra on weston (pixman, nested in Xvfb)"
echo "load: $(cut -d ' ' -f 1-3 /proc/loadavg)"
measure_scale 1
measure_scale 2
measure_idle
