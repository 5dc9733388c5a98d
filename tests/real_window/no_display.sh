#!/bin/sh
# Without a display the program says on standard error, in one line, what failed and exits
# with -1 (255): with neither an X nor a Wayland display, and with Wayland asked for
# (SDL_VIDEODRIVER) where there is none.
set -u
program=$1
runtime=$(mktemp -d "${TMPDIR:-/tmp}/kalvetra-no_display.XXXXXX") || exit 1
trap 'rm -rf "$runtime"' EXIT

# expect_refusal MESSAGE ENV...: the program run with ENV must fail with MESSAGE.
expect_refusal() {
    message=$1
    shift
    errors=$(env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u SDL_VIDEODRIVER \
        XDG_RUNTIME_DIR="$runtime" "$@" "$program" 2>&1 >/dev/null)
    status=$?
    [ "$status" -eq 255 ] || { echo "no_display: $*: exit $status, expected 255" >&2; exit 1; }
    [ "$(printf '%s\n' "$errors" | grep -c .)" -eq 1 ] ||
        { echo "no_display: $*: expected one line, got: $errors" >&2; exit 1; }
    case "$errors" in
    *"$message"*) echo "no_display: ok: $errors" ;;
    *) echo "no_display: $*: unexpected message: $errors" >&2; exit 1 ;;
    esac
}

expect_refusal "no X display"
expect_refusal "cannot connect to the Wayland display \"wayland-0\"" SDL_VIDEODRIVER=wayland
