#!/bin/sh
# Looks into kalvetra.exe of the i686 Windows build without running it (32-bit code does not
# run on every machine that builds it). It must be a 32-bit Windows GUI program that imports
# from the system DLLs only and calls the user interface in its ANSI forms, and its resources
# must be those of the generated kalvetra.rc, as windres decompiles both.
# Usage: inspect_windows_program.sh BUILD_DIR (the i686 build, build/windows-i686)
# Exits 77 (skipped) without the i686 MinGW-w64 toolchain.
set -u
build=$1
program="$build/bin/kalvetra.exe"
objdump=i686-w64-mingw32-objdump
windres=i686-w64-mingw32-windres
command -v "$objdump" >/dev/null 2>&1 && command -v "$windres" >/dev/null 2>&1 || exit 77
[ -f "$program" ] || { echo "$program is missing: build it with make windows"; exit 1; }
here=$(dirname "$0")
failures=0
fail() {
    echo "inspect_windows_program: $*" >&2
    failures=$((failures + 1))
}

headers=$("$objdump" -p "$program")
echo "$headers" | grep -q 'file format pei-i386' || fail "not a 32-bit x86 program"
echo "$headers" | grep -q "Subsystem.*(Windows GUI)" || fail "not a GUI program"

# DLL and function of every import, upper-cased DLL names: "USER32.DLL SendMessageA".
imports=$(echo "$headers" | awk '
    /DLL Name:/ { dll = toupper($3) }
    /^\t[0-9a-f]+\t/ && dll != "" { print dll, $3 }')
dlls=$(echo "$imports" | cut -d' ' -f1 | sort -u | tr '\n' ' ')
expected_dlls="COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL SHELL32.DLL USER32.DLL "
[ "$dlls" = "$expected_dlls" ] || fail "imports from $dlls(expected $expected_dlls)"
# The user-interface DLLs are called in ANSI forms only; kernel32's Unicode imports are
# the C runtime's own.
wide=$(echo "$imports" | grep -E '^(USER32|GDI32|SHELL32|COMCTL32)\.DLL .*W$')
[ -z "$wide" ] || fail "Unicode forms imported: $wide"
for call in DialogBoxParamA CreateDialogParamA SendMessageA SendDlgItemMessageA \
    SetDlgItemTextA SetWindowLongA GetWindowLongA CallWindowProcA LoadIconA LoadCursorA \
    ShellExecuteA GetModuleHandleA InitCommonControls MessageBeep ExitProcess; do
    echo "$imports" | grep -q " $call\$" || fail "does not import $call"
done

# The resources, decompiled: the same as those of the script, which PE files keep without
# the memory flags of 16-bit Windows.
decompile() {
    "$windres" "$@" -O rc 2>/dev/null | sed -e 's/ MOVEABLE//' -e 's/ PURE//' -e 's/ DISCARDABLE//'
}
resources=$(decompile -J coff -i "$program")
script=$(decompile -I "$here/../../resources" -i "$build/kalvetra.rc")
[ -n "$resources" ] && [ "$resources" = "$script" ] || fail "resources differ from kalvetra.rc"
for resource in '^1000 DIALOGEX 6, 6, 308, 248$' '^2000 DIALOGEX' '^3000 DIALOGEX' \
    '^4000 DIALOGEX' '^5000 DIALOGEX 6, 13, 297, 212$' '^1002 14 /\* RT_GROUP_ICON \*/' \
    '^1003 2 /\* RT_BITMAP \*/' '^1 VERSIONINFO$' '^LANGUAGE 31, 1$' \
    ' FILEVERSION 1, 2, 0, 0$' ' PRODUCTVERSION 1, 2, 0, 4$' 'BLOCK "041F04B0"' \
    'VALUE "CompanyName", "\[QLX\]"' 'VALUE "FileDescription", "Kalvetra"' \
    'VALUE "FileVersion", "1.2"' 'VALUE "ProductName", "Kalvetra"' \
    'VALUE "ProductVersion", "1.2.0.4"' 'VALUE "Translation", 0x41f, 1200'; do
    echo "$resources" | grep -q "$resource" || fail "no resource line matching $resource"
done

[ "$failures" -eq 0 ] || exit 1
echo "inspect_windows_program: ok"
