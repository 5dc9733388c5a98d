#!/bin/sh
# Pasting from clipboard owners that misbehave (kalvetra-clipboard-owner), with the bells
# the display rings counted: an owner that never answers leaves the field as it was, with
# one beep, and still owns the clipboard afterwards; a 2 MiB text sent in chunks goes in by
# the field's rules (white space around digits is dropped); one over the size a paste reads
# is refused with one beep. The program's own copy pastes back without asking the display.
# Usage: clipboard_owners.sh BIN_DIR
set -u
name=clipboard_owners
. "$(dirname "$0")/desktop.sh"
start_test "$1"
start_display
"$bin/kalvetra-desktop-probe" count-bells "$work/bells" &
bells_pid=$!
start_program

# own_clipboard MODE...: a new owner in the background; its window is `owner_window`.
owner_pid=
own_clipboard() {
    [ -z "$owner_pid" ] || { kill "$owner_pid"; wait "$owner_pid" 2>/dev/null; }
    : >"$work/owner.out"
    start_helper "$work/owner.out" "$bin/kalvetra-clipboard-owner" "$@"
    owner_pid=$helper_pid
    owner_window=$(sed -n 's/^ready //p' "$work/owner.out")
}

bells() {
    cat "$work/bells"
}

# expect_bells_after COUNT: the bells rung since `bells_before`, once a paste has settled.
expect_bells_after() {
    sleep 1.5
    rung=$(($(bells) - bells_before))
    [ "$rung" -eq "$1" ] || fail "$rung bells rung, expected $1"
}

click 2003
type_text '12'

own_clipboard silent
bells_before=$(bells)
press shift+Insert
expect_bells_after 1
[ "$("$bin/kalvetra-clipboard-owner" query)" = "$owner_window" ] ||
    fail "the silent owner lost the clipboard to $("$bin/kalvetra-clipboard-owner" query)"
expect_field 2003 '12'

click 2008
own_clipboard chunked 2097152 'c0de'
bells_before=$(bells)
press shift+Insert
expect_bells_after 0
grep -q '^sent 2097152$' "$work/owner.out" || fail "the chunked owner says: $(cat "$work/owner.out")"
expect_field 2008 'C0DE'

click 2010
own_clipboard chunked 5000000 '1'
bells_before=$(bells)
press shift+Insert
expect_bells_after 1
expect_field 2010 ''

# The program's own copy: 2008's text copied, pasted into 2010.
click 2008
press Home shift+End ctrl+Insert
click 2010
press shift+Insert
expect_field 2010 'C0DE'

kill "$owner_pid" "$bells_pid"
press Escape
wait_program_exit 10
[ "$status" -eq 0 ] || fail "exit code $status after Escape"
note ok
