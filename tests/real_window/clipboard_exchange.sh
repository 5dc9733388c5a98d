#!/bin/sh
# The clipboard shared with other X programs (xclip), both ways, with Turkish text: what
# another program offers is pasted into 4016 by Ctrl+V and by the context menu's
# "Yapıştır", and what the user copies from 4016 reaches the other program as UTF-8.
# Usage: clipboard_exchange.sh BIN_DIR
set -u
name=clipboard_exchange
. "$(dirname "$0")/desktop.sh"
start_test "$1"
start_display
start_program

click_tab 2

# Ctrl+V in the text field, which has no filter.
set_clipboard 'Ağaç'
click 4016
press ctrl+v
expect_field 4014 '41 F0 61 E7'
expect_field 4016 'Ağaç'

# "Yapıştır" from the context menu, over a selection of the whole text.
set_clipboard 'Şış'
click 4016
press ctrl+a
click 4016 3
click 'menu:4016:Yapıştır'
expect_field 4014 'DE FD FE'

# Copied from 4016 with Ctrl+A, Ctrl+C: the other program reads the same letters back.
click 4016
press ctrl+a ctrl+c
sleep 0.3
copied=$(clipboard)
[ "$copied" = 'Şış' ] || fail "xclip reads \"$copied\" from the clipboard, expected \"Şış\""

# The byte-pair field refuses pasting, by key and by menu: its text stays as it is.
set_clipboard '41'
click 4014
press ctrl+v shift+Insert
click 4014 3
click 'menu:4014:Yapıştır'
expect_field 4014 'DE FD FE'

# A character that code page 1254 lacks is refused as a whole, never pasted in part.
set_clipboard 'aЖb'
click 4016
press End ctrl+v
expect_field 4016 'Şış'

press Escape
wait_program_exit 10
[ "$status" -eq 0 ] || fail "exit code $status after Escape"
note ok
