#!/bin/sh
# Makes the golden screenshots anew from the script driver's pictures of every session in
# this folder, at both display scales, on private virtual displays (`make goldens` builds
# first and runs this). Look at each picture before keeping it.
# Usage: tests/golden/refresh.sh [BIN_DIR] (build/sanitize/bin unless told)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bin=${1:-$here/../../build/sanitize/bin}
for scale in 1 2; do
    "$here/../real_window/screenshots.sh" "$bin" "$scale" refresh
done
