#!/bin/sh
# The conversion page in the real window: hexadecimal and binary typed in, the other forms
# following at each keystroke; byte pairs typed into 4014 and Turkish text into 4016; and
# "Temizle" pressed with Enter.
# Usage: convert_page.sh BIN_DIR
set -u
name=convert_page
. "$(dirname "$0")/desktop.sh"
start_test "$1"
start_display
start_program

click_tab 2

# 12345678 in every base.
click 4004
type_text '12345678'
expect_field 4006 00010010001101000101011001111000
expect_field 4008 305419896
expect_field 4010 305419896
expect_field 4012 2215053170

# Binary typed over the selected 32 digits: 101 is 5, and 5 is two octal digits.
click 4006
press Home shift+End
type_text '101'
expect_field 4004 00000005
expect_field 4010 5
expect_field 4012 05
expect_field 4006 101

# Byte pairs: the filter puts the space in by itself; "g" is refused.
click 4014
type_text '41g42'
expect_field 4014 '41 42'
expect_field 4016 AB

# Turkish text typed as a user types it (UTF-8 through the keyboard), shown as the bytes of
# code page 1254: ğ is F0, ç is E7.
click 4016
press ctrl+a
type_text 'Ağaç'
expect_field 4014 '41 F0 61 E7'
expect_field 4016 'Ağaç'

# Enter is "Temizle": both input fields empty, the dependent ones show an empty input's forms.
click 4004
press Return
expect_field 4004 ''
expect_field 4006 00000000000000000000000000000000
expect_field 4008 0
expect_field 4012 00
expect_field 4014 ''
expect_field 4016 ''

press Escape
wait_program_exit 10
[ "$status" -eq 0 ] || fail "exit code $status after Escape"
note ok
