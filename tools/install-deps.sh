#!/bin/sh
# Installs the Debian packages that building, running and testing need, when they are
# missing. As root it installs them; otherwise it names the command to run. The optional
# groups named as arguments add: windows, the MinGW-w64 cross toolchains of `make windows`;
# wine, Wine and the sources of the Turkish locale that the Windows build's tests run with
# (.ci/run installs both).
set -e
packages="cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-ttf-dev libfontconfig-dev libx11-dev
fonts-liberation2 googletest libgtest-dev xvfb xdotool xclip x11-utils libxdamage-dev libbenchmark-dev
desktop-file-utils appstream dpkg-dev libxfixes-dev imagemagick libxtst-dev man-db librsvg2-bin
dbus-x11 valgrind libglib2.0-dev libxrandr-dev
libatk1.0-dev libatk-bridge2.0-dev libdbus-1-dev at-spi2-core python3-pyatspi dbus-bin dbus-daemon
libwayland-dev libwayland-bin wayland-protocols libxkbcommon-dev libdecor-0-dev
libdecor-0-plugin-1-cairo xkb-data weston wl-clipboard
clang libclang-rt-14-dev"
for group in "$@"; do
    case "$group" in
    windows) packages="$packages g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32" ;;
    wine) packages="$packages wine64 locales" ;;
    *)
        echo "install-deps.sh: unknown group $group (windows, wine)" >&2
        exit 2
        ;;
    esac
done
missing=""
for package in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $package" ;;
    esac
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages:$missing" >&2
    echo "Install them with: sudo apt-get update && sudo apt-get install -y$missing" >&2
    exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends $missing >/dev/null
