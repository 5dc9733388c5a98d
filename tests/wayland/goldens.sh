#!/bin/sh
# The window drawn on Wayland is the window drawn on X11: every session in tests/golden is
# played through the script driver on a Wayland compositor alone at output scale 1 or 2,
# and each of its pictures must equal the golden one of that scale pixel for pixel.
# Usage: goldens.sh BIN_DIR 1|2
set -u
scale=$2
name=wayland_goldens_${scale}x
. "$(dirname "$0")/compositor.sh"
golden=$(cd "$(dirname "$0")/../golden" && pwd)
start_test "$1"
command -v compare >/dev/null 2>&1 || { echo "$name: no compare (imagemagick), skipped"; exit 77; }
start_compositor "$scale"

failures=0
for session in "$golden"/*.session; do
    awk -v folder="$work" '/^#/ || /^$/ { next }
        $1 == "shot" { print "shot " folder "/" $2 ".png"; next } { print }' \
        "$session" >"$work/driver.kvs"
    env -u DISPLAY ASAN_OPTIONS=detect_leaks=0 "$bin/kalvetra-script" --sdl "$work/driver.kvs" \
        >"$work/driver.out" 2>"$work/driver.err" ||
        fail "the driver failed on $session: $(cat "$work/driver.err")"
    for shot in $(awk '$1 == "shot" { print $2 }' "$session"); do
        expect_same_picture "$shot" "$work/$shot.png" "$golden/$shot-${scale}x.png"
    done
done
[ "$failures" -eq 0 ] || fail "$failures pictures differ"
note ok
