# Shared by the tests that run the real program on a display of their own (sourced, POSIX
# sh): failing with a line that names the test (its work folder is then kept), notes, and
# waiting for the program to end. The test sets `name`, and `program_pid` while the program
# runs.

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
