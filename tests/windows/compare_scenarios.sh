#!/bin/sh
# Runs every scenario script twice: through the script driver on our headless window system,
# and through the x86-64 Windows build of the driver on the real Windows controls under
# Wine. What each prints, and its exit code, are compared line by line. Every difference
# must be one that wine_differences.txt beside this script lists, with its reason, and every
# difference listed there must still occur; anything else fails the test and is printed in
# the list's own format.
# Usage: compare_scenarios.sh HOST_DRIVER WINDOWS_DRIVER SCENARIO_DIR WORK_DIR
# Exits 77 (skipped) without the MinGW-w64 toolchain, Wine or an X display.
set -u
host_driver=$1
windows_driver=$2
scenarios=$3
work=$4
here=$(dirname "$0")
listed="$here/wine_differences.txt"

command -v x86_64-w64-mingw32-g++ >/dev/null 2>&1 || { echo "no MinGW-w64 toolchain"; exit 77; }
. "$here/wine_environment.sh"
prepare_wine "$work"
if [ ! -f "$windows_driver" ]; then
    echo "$windows_driver is missing: build it with make windows"
    exit 1
fi

outputs="$work/outputs"
rm -rf "$outputs"
mkdir -p "$outputs"
count=0
for script in "$scenarios"/*.kvs; do
    name=$(basename "$script" .kvs)
    "$host_driver" <"$script" >"$outputs/$name.host" 2>/dev/null
    echo "status $?" >>"$outputs/$name.host"
    run_wine "$windows_driver" <"$script" >"$outputs/$name.windows" 2>/dev/null
    echo "status $?" >>"$outputs/$name.windows"
    # NAME:LINE: what the headless driver printed | what the Windows driver printed
    awk -v name="$name" '
        NR == FNR { host[FNR] = $0; host_lines = FNR; next }
        { windows[FNR] = $0; windows_lines = FNR }
        END {
            lines = host_lines > windows_lines ? host_lines : windows_lines
            for (line = 1; line <= lines; line++) {
                a = line in host ? host[line] : "<none>"
                b = line in windows ? windows[line] : "<none>"
                if (a != b) printf "%s:%d: %s | %s\n", name, line, a, b
            }
        }' "$outputs/$name.host" "$outputs/$name.windows" >>"$outputs/found"
    count=$((count + 1))
done
touch "$outputs/found"
grep -v -e '^#' -e '^$' "$listed" | LC_ALL=C sort >"$outputs/listed.sorted"
LC_ALL=C sort "$outputs/found" >"$outputs/found.sorted"
if ! cmp -s "$outputs/listed.sorted" "$outputs/found.sorted"; then
    echo "compare_scenarios: the headless and the Windows drivers differ other than listed"
    echo "--- differences found but not listed in $listed:"
    LC_ALL=C comm -13 "$outputs/listed.sorted" "$outputs/found.sorted"
    echo "--- differences listed but not found:"
    LC_ALL=C comm -23 "$outputs/listed.sorted" "$outputs/found.sorted"
    echo "(outputs of both drivers are in $outputs)"
    exit 1
fi
echo "compare_scenarios: $count scenarios, $(wc -l <"$outputs/found.sorted") differences, all listed"
