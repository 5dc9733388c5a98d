#!/bin/sh
# Without a display the program says on standard error what failed and exits with -1 (255).
set -u
program=$1
errors=$(env -u DISPLAY "$program" 2>&1 >/dev/null)
status=$?
[ "$status" -eq 255 ] || { echo "no_display: exit $status, expected 255" >&2; exit 1; }
[ "$(printf '%s\n' "$errors" | grep -c .)" -eq 1 ] || { echo "no_display: expected one line, got: $errors" >&2; exit 1; }
case "$errors" in
    *"no X display"*) echo "no_display: ok: $errors" ;;
    *) echo "no_display: unexpected message: $errors" >&2; exit 1 ;;
esac
