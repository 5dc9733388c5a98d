#!/bin/sh
# The About page in the real window: the pointer is a hand over the web address and nowhere
# else (told by the cursor's picture on the display), and a click on the address hands it to
# xdg-open once, a double click once too; the e-mail address is plain text. xdg-open is a
# stand-in here that writes down what it was given. Stand-ins planted in the folders that
# relative PATH entries name (an empty entry, "planted") are never run.
# Usage: about_page.sh BIN_DIR
set -u
name=about_page
. "$(dirname "$0")/desktop.sh"
start_test "$1"
start_display

use_stand_in_opener
mkdir "$work/planted"
for planted in "$work/xdg-open" "$work/planted/xdg-open"; do
    cat >"$planted" <<EOF
#!/bin/sh
echo "$planted" >>"$work/planted-ran"
EOF
    chmod +x "$planted"
done
cd "$work" || fail "cannot enter $work"
PATH=":planted:$PATH"
export PATH
start_program

# pointer_over TARGET SHAPE: the pointer's shape when it rests over the target.
pointer_over() {
    point_at "$1"
    tries=0
    while :; do
        shape=$("$bin/kalvetra-desktop-probe" cursor) || fail "cannot read the pointer's shape"
        [ "$shape" = "$2" ] && return
        tries=$((tries + 1))
        [ "$tries" -lt 50 ] || fail "the pointer over $1 is \"$shape\", expected \"$2\""
        sleep 0.1
    done
}

# An operand field has the text pointer: the probe tells the shapes apart.
pointer_over 2003 ibeam
click_tab 3
pointer_over 5010 hand
pointer_over 5009 arrow
pointer_over 5006 arrow
pointer_over 5010 hand

# opened_count: how many addresses the stand-in was given, once it has settled.
opened_count() {
    sleep 0.5
    if [ -e "$work/opened" ]; then grep -c . "$work/opened"; else echo 0; fi
}

click 5009
[ "$(opened_count)" -eq 0 ] || fail "a click on the e-mail address opened something"
click 5010
[ "$(opened_count)" -eq 1 ] || fail "one click on the link opened $(opened_count) addresses"
sleep 1
point_at 5010 click --repeat 2 --delay 80 1
[ "$(opened_count)" -eq 2 ] || fail "a double click on the link opened $(($(opened_count) - 1))"
opened=$(sort -u "$work/opened")
[ "$opened" = 'http://www.qlx.example/' ] || fail "the link opened \"$opened\""
[ ! -e "$work/planted-ran" ] || fail "a planted opener ran: $(cat "$work/planted-ran")"

press Escape
wait_program_exit 10
[ "$status" -eq 0 ] || fail "exit code $status after Escape"
note ok
