#!/bin/sh
# Screenshots at one display scale (1: 96 dots per inch, 1.25: 120, 1.5: 144, 2: 192). Every session in
# tests/golden/*.session is played through the script driver, which draws the real window's
# picture with "shot"; then, by MODE:
#   real     the same session is typed into the real program with xdotool, its window is
#            grabbed from the display at each shot (import), and both pictures must be
#            equal pixel for pixel;
#   golden   the driver's pictures must equal the golden ones, tests/golden/SHOT-Nx.png;
#   refresh  the driver's pictures become the golden ones (tests/golden/refresh.sh).
#
# The caret: the driver's caret never blinks, while the real window's blinks for ten seconds
# after the last input and then stays shown. So at a shot where an edit field has the
# keyboard (the driver reports which control has it), the real window is grabbed more than
# ten seconds after the last input; at other shots at once. Either way only a picture that
# stays the same for longer than a blink counts.
# The golden pictures are those of the two whole scales.
# Usage: screenshots.sh BIN_DIR 1|1.25|1.5|2 real|golden|refresh
set -u
scale=$2
mode=$3
name=screenshots_${scale}x_$mode
. "$(dirname "$0")/desktop.sh"
golden=$(cd "$(dirname "$0")/../golden" && pwd)
start_test "$1"
for tool in import compare mogrify; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$name: no $tool (imagemagick), skipped"; exit 77; }
done
case "$scale" in
    1) start_display 96 ;;
    1.25) start_display 120 ;;
    1.5) start_display 144 ;;
    2) start_display 192 ;;
    *) fail "unknown scale $scale" ;;
esac

# The session as a driver script: the focused control printed before each shot.
driver_script() {
    awk -v folder="$work" '
        /^#/ || /^$/ { next }
        $1 == "shot" { print "focus"; print "shot " folder "/" $2 "-driver.png"; next }
        { print }' "$1"
}

# grab FILE: the real window's picture once it has stopped changing: the same in four grabs
# over more than a second, longer than the caret's blink, so that a blinking caret cannot
# pass for a steady one.
grab() {
    import -silent -window "$window" "png:$1" || fail "cannot grab the window"
    same=0
    tries=0
    while [ "$same" -lt 3 ]; do
        sleep 0.4
        import -silent -window "$window" "png:$1.again" || fail "cannot grab the window"
        if [ "$(differing_pixels "$1" "$1.again")" = 0 ]; then
            same=$((same + 1))
        else
            same=0
            mv "$1.again" "$1"
        fi
        tries=$((tries + 1))
        [ "$tries" -lt 40 ] || fail "the window keeps changing"
    done
    rm -f "$1.again"
}

# xdotool_key NAME: the driver's key name as xdotool names it (enter: Return, shift+tab:
# shift+Tab, ctrl+a: ctrl+a).
xdotool_key() {
    modifiers=
    key=$1
    while :; do
        case "$key" in
            shift+* | ctrl+*)
                modifiers="$modifiers${key%%+*}+"
                key=${key#*+}
                ;;
            *) break ;;
        esac
    done
    case "$key" in
        enter) key=Return ;;
        backspace) key=BackSpace ;;
        space) ;;
        ?) ;;
        *) key=$(printf '%s' "$key" | cut -c1 | tr a-z A-Z)$(printf '%s' "$key" | cut -c2-) ;;
    esac
    echo "$modifiers$key"
}

# play_real SESSION: the session typed into the real program, grabbing at each shot.
play_real() {
    start_program
    selected_tab=0
    shot_number=0
    while IFS= read -r line; do
        case "$line" in '' | '#'*) continue ;; esac
        command=${line%% *}
        rest=${line#* }
        text=${rest#* }
        case "$command" in
            tab) click_tab "$rest" ;;
            click) click "$rest" ;;
            type) type_text "$text" ;;
            key) press "$(xdotool_key "$text")" ;;
            shot)
                shot_number=$((shot_number + 1))
                focus=$(sed -n "${shot_number}p" "$work/driver.out")
                kind=$(awk -v id="$focus" '$1 == id { print $6 }' "$work/positions")
                [ "$kind" != EDIT ] || sleep 10.5
                grab "$work/$rest-real.png"
                ;;
            *) fail "unknown session line: $line" ;;
        esac
    done <"$1"
    press Escape
    wait_program_exit 10
    [ "$status" -eq 0 ] || fail "exit code $status after Escape"
}

failures=0
for session in "$golden"/*.session; do
    driver_script "$session" >"$work/driver.kvs"
    ASAN_OPTIONS=detect_leaks=0 "$bin/kalvetra-script" --sdl "$work/driver.kvs" \
        >"$work/driver.out" 2>"$work/driver.err" ||
        fail "the driver failed on $session: $(cat "$work/driver.err")"
    [ "$mode" != real ] || play_real "$session"
    for shot in $(awk '$1 == "shot" { print $2 }' "$session"); do
        driver_picture="$work/$shot-driver.png"
        case "$mode" in
            refresh)
                # Compressed, and without the time stamps that would change at every refresh.
                cp "$driver_picture" "$golden/$shot-${scale}x.png"
                mogrify -strip "$golden/$shot-${scale}x.png" || fail "cannot compress $shot"
                note "wrote tests/golden/$shot-${scale}x.png"
                continue
                ;;
            real) other="$work/$shot-real.png" ;;
            golden)
                other="$golden/$shot-${scale}x.png"
                [ -e "$other" ] || fail "no golden picture $other: run tests/golden/refresh.sh"
                ;;
        esac
        expect_same_picture "$shot" "$driver_picture" "$other"
    done
done
[ "$failures" -eq 0 ] || fail "$failures pictures differ"
note ok
