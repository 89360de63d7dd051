#!/usr/bin/env bash
# Installs what building and testing Tarvelo needs on Debian: the MinGW-w64
# cross compilers (posix threads), Wine with 32-bit support, the fonts Wine
# lays dialogs out with, a virtual X display, the tools the end-to-end
# tests drive it with (FUSE for a folder that hangs), the static analysers
# and what builds the Windows Installer package (wixl, msitools,
# faketime). Does nothing when everything is there already. On a machine
# that runs no 32-bit programs, Wine's 32-bit half would be of no use: it
# is left out.
set -euo pipefail
source "$(dirname "$0")/way.sh"
way_init

need=()
have() { command -v "$1" >/dev/null 2>&1; }
pkg_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

have i686-w64-mingw32-g++-posix   || need+=(g++-mingw-w64-i686-posix)
have x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64-posix)
have cmake    || need+=(cmake)
have Xvfb     || need+=(xvfb)
have xdotool  || need+=(xdotool)
have import   || need+=(imagemagick)
have cppcheck || need+=(cppcheck)
have clang-tidy || need+=(clang-tidy)
have zip      || need+=(zip)
have wixl     || need+=(wixl)
have msibuild || need+=(msitools)
have faketime || need+=(faketime)
have python3  || need+=(python3)
have xdpyinfo || need+=(x11-utils)
# A folder that stops answering, for the end-to-end test of a hanging share.
have fusermount3 || need+=(fuse3)
/usr/bin/python3 -c 'import fusepy' 2>/dev/null || need+=(python3-fusepy)
[ -d /usr/src/googletest ] || need+=(googletest)
[ -d /usr/share/wine/fonts ] || need+=(fonts-wine)
[ -x /usr/lib/wine/wine64 ] || need+=(wine64)
have wine   || need+=(wine)
if [ "$WAY_LOADER" = wine ]; then
  pkg_installed wine32:i386 || need+=(wine32:i386)
fi

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
if [ "$WAY_LOADER" = wine ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
