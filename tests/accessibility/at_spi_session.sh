#!/bin/sh
# The real program as a screen reader meets it: on a private X display, a private session
# bus (dbus-run-session) and the accessibility bus that at-spi2-core starts on it. While the
# session does not ask for assistive technology the program stays off the bus; when it does
# (org.a11y.Status IsEnabled), the program joins, and python3-pyatspi, the screen readers'
# library, walks its tree and uses it (screen_reader_client.py). A stand-in xdg-open on PATH
# records what the link opens. The tree it saw is left in the log.
# Usage: at_spi_session.sh BIN_DIR
set -u
name=at_spi_session
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3 # the system's, which has pyatspi; another on PATH may not

for tool in dbus-run-session dbus-send; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$name: no $tool, skipped"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "$name: no at-spi2-core, skipped"; exit 77; }
"$python" -c 'import pyatspi' 2>/dev/null || { echo "$name: no python3-pyatspi, skipped"; exit 77; }

# The rest runs inside a session bus of its own, whose services keep their settings in
# memory, not the user's: the accessibility bus starts with assistive technology off,
# whatever this machine's user chose.
if [ -z "${KALVETRA_PRIVATE_SESSION:-}" ]; then
    GSETTINGS_BACKEND=memory
    export GSETTINGS_BACKEND
    KALVETRA_PRIVATE_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

. "$here/../real_window/desktop.sh"
start_test "$1"
start_display

use_stand_in_opener

dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled \
    variant:boolean:false >/dev/null || fail "cannot set IsEnabled to false"
session_bus=$DBUS_SESSION_BUS_ADDRESS
start_program
"$python" "$here/screen_reader_client.py" absent "$app_pid" ||
    fail "the program joined the bus while assistive technology was off"
"$python" "$here/screen_reader_client.py" session "$app_pid" "$work" ||
    fail "the screen reader's checks failed"
echo "$name: the tree a screen reader sees:"
cat "$work/tree.txt"

xdotool key Escape
wait_program_exit 20
[ "$status" -eq 0 ] || fail "exit code $status after Escape: $(cat "$work/program.err")"
note ok
