# Sourced by the tests that run the Windows build under Wine. Call prepare_wine WORK_DIR:
# it finds Wine, makes (once, then reuses) a Wine prefix and the Turkish locale under
# WORK_DIR, and stops Wine's background processes when the test ends. run_wine PROGRAM ARGS
# then runs a Windows program. Exits 77 (skipped) when Wine or the display is missing.
#
# Wine takes its ANSI code page from the locale: under tr_TR.UTF-8 it is 1254, as on a
# Turkish Windows; under any other every Turkish letter would be replaced on the way
# between the program's texts and the controls. The locale is generated into the work
# directory, so no system setting changes.

wine_program() {
    command -v "$1" 2>/dev/null && return
    # Debian's wine64 package keeps its programs out of the PATH.
    for candidate in "/usr/lib/wine/$1" "/usr/lib/wine/${1}64"; do
        [ -x "$candidate" ] && echo "$candidate" && return
    done
}

run_wine() {
    LC_ALL=tr_TR.UTF-8 "$WINE" "$@"
}

prepare_wine() {
    WINE=$(wine_program wine64)
    WINESERVER=$(wine_program wineserver)
    if [ -z "$WINE" ] || [ -z "$WINESERVER" ]; then
        echo "Wine is not installed (tools/install-deps.sh windows wine)"
        exit 77
    fi
    if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
        echo "no X display for Wine"
        exit 77
    fi
    mkdir -p "$1"
    export WINEPREFIX="$1/wine-prefix" WINEDEBUG=-all LOCPATH="$1/locale"
    # No Mono and no Gecko: the prefix would offer to download them.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -d "$LOCPATH/tr_TR.UTF-8" ]; then
        mkdir -p "$LOCPATH"
        if ! localedef -i tr_TR -f UTF-8 "$LOCPATH/tr_TR.UTF-8" >/dev/null 2>&1; then
            echo "cannot make the tr_TR.UTF-8 locale (the locales package has its sources)"
            exit 1
        fi
    fi
    trap '"$WINESERVER" -k 2>/dev/null' EXIT
    if [ ! -f "$WINEPREFIX/.ready" ]; then
        rm -rf "$WINEPREFIX"
        run_wine wineboot -i >/dev/null 2>&1
        # Without a window manager on the display, Wine would wait two seconds for one to
        # withdraw each window it hides; unmanaged windows it places and hides itself.
        run_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$WINESERVER" -w
        touch "$WINEPREFIX/.ready"
    fi
}
