#!/bin/sh
# Installs the build into a staging folder, as a packager does with DESTDIR and a prefix, and
# checks what lands there: the program, its manual page, a valid menu entry whose command and
# icon exist, the icons as PNG files of their folder's size and a scalable SVG that draws the
# same picture, a valid AppStream description that names the menu entry and shows screenshots
# that the repository holds, and no file anywhere but under the prefix.
# Exits 77 (skipped) when desktop-file-validate, appstreamcli, man-db's man and lexgrog,
# rsvg-convert or ImageMagick's compare is missing.
# Usage: install_staging_test.sh CMAKE BUILD_FOLDER
set -u
cmake=$1
build=$2
command -v desktop-file-validate >/dev/null 2>&1 || exit 77
command -v appstreamcli >/dev/null 2>&1 || exit 77
for tool in man lexgrog rsvg-convert compare; do
    command -v "$tool" >/dev/null 2>&1 || exit 77
done
source_folder=$(cd "$(dirname "$0")/.." && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/stage
log=$work/log
prefix=/opt/kalvetra-staging
root=$stage$prefix
failures=0

fail() {
    echo "install_staging: $*" >&2
    failures=$((failures + 1))
}

DESTDIR=$stage "$cmake" --install "$build" --prefix "$prefix" >"$log" 2>&1 ||
    { cat "$log" >&2; echo "install_staging: install failed" >&2; exit 1; }

# The program: an executable ELF file.
program=$root/bin/kalvetra
if [ -f "$program" ] && [ -x "$program" ]; then
    magic=$(od -An -c -N4 "$program" | tr -d ' ')
    [ "$magic" = "177ELF" ] || fail "bin/kalvetra is not an ELF file ($magic)"
else
    fail "bin/kalvetra missing or not executable"
fi

# The menu entry: valid without even a hint, starting the installed program by its name and
# showing the installed icon.
entry=$root/share/applications/kalvetra.desktop
if [ -f "$entry" ]; then
    report=$(desktop-file-validate "$entry" 2>&1) || fail "kalvetra.desktop invalid"
    [ -z "$report" ] || fail "desktop-file-validate: $report"
    exec_line=$(grep '^Exec=' "$entry")
    [ "$exec_line" = "Exec=kalvetra" ] || fail "kalvetra.desktop has \"$exec_line\""
    icon_line=$(grep '^Icon=' "$entry")
    [ "$icon_line" = "Icon=kalvetra" ] || fail "kalvetra.desktop has \"$icon_line\""
else
    fail "share/applications/kalvetra.desktop missing"
fi

# The manual page, compressed the Debian way: a gzip stream with neither the file's name nor
# its time (flags and time fields zero), whose page man reads without a warning and whose NAME
# section makes the whatis line.
manual=$root/share/man/man1/kalvetra.1.gz
if [ -f "$manual" ]; then
    gzip -t "$manual" || fail "kalvetra.1.gz is no gzip file"
    header=$(od -An -tx1 -N8 "$manual" | tr -d ' \n')
    [ "$header" = "1f8b080000000000" ] || fail "kalvetra.1.gz keeps a name or a time ($header)"
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$manual" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns about kalvetra.1: $warnings"
    whatis=$(lexgrog "$manual" 2>&1)
    case "$whatis" in
        *'"kalvetra - '*) ;;
        *) fail "kalvetra.1 has no NAME line for whatis: $whatis" ;;
    esac
else
    fail "share/man/man1/kalvetra.1.gz missing"
fi

# The icons: PNG signature, then the IHDR chunk whose width and height (bytes 16 to 23, big
# endian) must match the folder's size.
for size in 16 24 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x${size}/apps/kalvetra.png
    if [ ! -f "$icon" ]; then
        fail "icon ${size}x${size} missing"
        continue
    fi
    signature=$(od -An -tx1 -N16 "$icon" | tr -d ' \n')
    [ "$signature" = "89504e470d0a1a0a0000000d49484452" ] || fail "icon $size: no PNG header"
    dimensions=$(od -An -tu1 -j16 -N8 "$icon" | awk '{
        print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8
    }')
    [ "$dimensions" = "$size $size" ] || fail "icon $size is $dimensions pixels"
done

# The scalable icon draws the 256-pixel icon's picture: rendered at that size, at most one
# pixel in a hundred differs by more than a tenth (only edge pixels, anti-aliased apart).
svg_icon=$root/share/icons/hicolor/scalable/apps/kalvetra.svg
if [ -f "$svg_icon" ]; then
    rsvg-convert -w 256 -h 256 "$svg_icon" -o "$work/scalable.png" 2>"$log" ||
        { cat "$log" >&2; fail "kalvetra.svg cannot be drawn"; }
    differing=$(compare -metric AE -fuzz 10% "$work/scalable.png" \
        "$root/share/icons/hicolor/256x256/apps/kalvetra.png" null: 2>&1)
    [ "${differing%%[!0-9]*}" = "$differing" ] && [ "$differing" -le 655 ] ||
        fail "kalvetra.svg differs from the 256-pixel icon in $differing pixels"
else
    fail "scalable icon kalvetra.svg missing"
fi

# The AppStream description: valid offline, and launching the menu entry installed beside it.
metainfo=$root/share/metainfo/org.qlx.kalvetra.metainfo.xml
if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net "$metainfo" >"$log" 2>&1 ||
        { cat "$log" >&2; fail "metainfo invalid"; }
    # validate-tree also looks for the menu entry that the description launches.
    appstreamcli validate-tree --no-net "$root" >"$log" 2>&1 ||
        { cat "$log" >&2; fail "installed tree invalid for AppStream"; }
    # Each screenshot is one of the pictures in docs/, as published from the repository.
    screenshots=$(sed -n 's|.*<image[^>]*>[^<]*/docs/\([^<]*\)</image>.*|\1|p' "$metainfo")
    [ -n "$screenshots" ] || fail "metainfo shows no screenshot of docs/"
    for picture in $screenshots; do
        [ -f "$source_folder/docs/$picture" ] || fail "screenshot docs/$picture not in the repository"
    done
else
    fail "share/metainfo/org.qlx.kalvetra.metainfo.xml missing"
fi

[ -f "$root/share/doc/kalvetra/copyright" ] || fail "share/doc/kalvetra/copyright missing"

# Nothing outside the prefix: no file, link or folder but the prefix's own folders.
outside=$(find "$stage" -mindepth 1 | grep -v "^$root/" | grep -v -x -F -e "$stage/opt" -e "$root")
[ -z "$outside" ] || fail "installed outside the prefix: $outside"

[ "$failures" -eq 0 ] || exit 1
echo "install_staging: ok"
