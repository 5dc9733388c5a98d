# Shared by the tests that run the real program on a display of their own (sourced, POSIX
# sh): failing with a line that names the test (its work folder is then kept), notes,
# waiting for the program to end, ending what the test started, and comparing pictures. The
# test sets `name` and `work`, and `program_pid` while the program runs.

fail() {
    echo "$name: $*" >&2
    keep_work=1
    exit 1
}

note() {
    echo "$name: $*"
}

# wait_program_end SECONDS: waits for the program to end and sets `status` to its exit
# status. Not in a subshell: only this shell can reap the program, and until it does, the
# ended program still answers kill -0.
wait_program_end() {
    waited=0
    while [ -e "/proc/$program_pid" ] &&
        [ "$(cut -d ' ' -f 3 "/proc/$program_pid/stat" 2>/dev/null)" != Z ]; do
        waited=$((waited + 1))
        [ "$waited" -le $(($1 * 10)) ] || fail "still running $1 s after it was asked to end"
        sleep 0.1
    done
    wait "$program_pid"
    status=$?
    program_pid=
}

# finish_session PID...: ends the processes, the program first and its display last, and
# removes the work folder unless a failure keeps it.
finish_session() {
    for pid in "$@"; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    if [ "${keep_work:-0}" = 1 ]; then
        echo "$name: files kept in $work" >&2
    elif [ -n "${work:-}" ]; then
        rm -rf "$work"
    fi
}

# differing_pixels A B [DIFFERENCE]: how many pixels differ (compare's absolute error count).
differing_pixels() {
    compare -metric AE "$1" "$2" "${3:-null:}" 2>&1
}

# expect_same_picture SHOT PICTURE EXPECTED: notes SHOT as equal, or says how many pixels
# differ (a picture of the difference beside PICTURE) and counts it in `failures`.
expect_same_picture() {
    differing=$(differing_pixels "$2" "$3" "${2%.png}-difference.png")
    if [ "$differing" = 0 ]; then
        note "$1: equal"
    else
        echo "$name: $1: $differing pixels differ (${2%.png}-difference.png)" >&2
        failures=$((failures + 1))
    fi
}
