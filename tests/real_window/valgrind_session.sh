#!/bin/sh
# A short session with the real program, built without sanitizers, under valgrind's memcheck:
# typing and a computation, a paste and a copy, every tab, and Escape. Errors that the
# libraries make on their own are suppressed by the library functions they come from
# (SUPPRESSIONS); any other error whose stack passes through the program's own sources
# (SOURCE_DIR) fails the test, and so does a leak of memory that the program allocated.
# Usage: valgrind_session.sh BIN_DIR PROGRAM SOURCE_DIR SUPPRESSIONS
set -u
name=valgrind_session
. "$(dirname "$0")/desktop.sh"
command -v valgrind >/dev/null 2>&1 || { echo "$name: no valgrind, skipped"; exit 77; }
start_test "$1"
program=$2
source_dir=$3
suppressions=$4
start_display
window_wait=120
start_program valgrind --error-limit=no --num-callers=50 --fullpath-after= \
    --leak-check=full --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect \
    --suppressions="$suppressions" --log-file="$work/valgrind.log" "$program"

click 2003
type_text '1f'
press Tab
type_text '3'
press Tab space
set_clipboard 'Ağaç'
click_tab 2
click 4016
press ctrl+v ctrl+a ctrl+c
click_tab 1
click_tab 3
click_tab 0
expect_field 2007 '00000003'

press Escape
wait_program_exit 60
[ "$status" -eq 0 ] || fail "exit code $status after Escape"

# Each error report is a block of lines that ends with an empty one; those with a frame in
# the program's sources are ours.
ours=$(awk -v source="($source_dir/" '
    /^==[0-9]+== $/ { if (is_ours) print block; block = ""; is_ours = 0; next }
    { block = block "\n" $0; if (index($0, source) && $0 ~ /(at|by) 0x/) is_ours = 1 }
' "$work/valgrind.log")
[ -z "$ours" ] || fail "valgrind found errors in the program's code:$ours"
grep -q 'ERROR SUMMARY' "$work/valgrind.log" || fail "valgrind did not finish: $(tail "$work/valgrind.log")"
note "ok: $(grep 'ERROR SUMMARY' "$work/valgrind.log" | sed 's/^==[0-9]*== //')"
