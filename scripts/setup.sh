#!/usr/bin/env bash
# Installs what building and testing Tarvelo needs on Debian: the MinGW-w64
# cross compilers (posix threads), CMake and make, Wine with 32-bit support,
# the fonts Wine lays dialogs out with, a virtual X display, the tools the
# end-to-end tests drive it with (FUSE for a folder that hangs, a private
# CUPS server with a PDF queue, an X client for the clipboard), the static
# analysers and what builds the Windows Installer package (wixl, msitools,
# faketime). Does nothing when everything is there already. On a machine
# that runs no 32-bit programs, Wine's 32-bit half would be of no use: it
# is left out.
#
# Each need is checked by the very file the scripts call, never by a
# command looked up on PATH: the scripts put a wine shim of their own first
# on PATH, which once hid that Debian's wine (wineboot, wineserver,
# winepath, msiexec) was never installed.
set -euo pipefail
source "$(dirname "$0")/way.sh"
way_init

# FILE PACKAGE: the package is installed unless the file is there.
needs=(
  /usr/bin/i686-w64-mingw32-g++-posix     g++-mingw-w64-i686-posix
  /usr/bin/x86_64-w64-mingw32-g++-posix   g++-mingw-w64-x86-64-posix
  /usr/bin/cmake                          cmake
  /usr/bin/make                           make
  /usr/bin/git                            git
  /usr/src/googletest                     googletest
  /usr/bin/cppcheck                       cppcheck
  /usr/bin/clang-tidy                     clang-tidy
  /usr/bin/python3                        python3
  /usr/lib/wine/wine64                    wine64
  /usr/lib/wine/wineserver64              wine64
  /usr/bin/wineboot                       wine
  /usr/bin/wineserver                     wine
  /usr/bin/winepath                       wine
  /usr/bin/msiexec                        wine
  /usr/share/wine/fonts                   fonts-wine
  /usr/bin/Xvfb                           xvfb
  /usr/bin/xdpyinfo                       x11-utils
  /usr/bin/xdotool                        xdotool
  /usr/bin/xclip                          xclip
  /usr/bin/import                         imagemagick
  /usr/bin/fusermount3                    fuse3
  /usr/sbin/cupsd                         cups-daemon
  /usr/sbin/lpadmin                       cups-client
  /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd cups-filters
  /usr/lib/x86_64-linux-gnu/libcups.so.2  libcups2
  /usr/bin/pdftotext                      poppler-utils
  /usr/bin/pdftoppm                       poppler-utils
  /usr/bin/zip                            zip
  /usr/bin/unzip                          unzip
  /usr/bin/wixl                           wixl
  /usr/bin/msibuild                       msitools
  /usr/bin/faketime                       faketime
  /usr/bin/pgrep                          procps
  /usr/bin/findmnt                        util-linux
  /usr/bin/flock                          util-linux
  /usr/bin/mountpoint                     util-linux
  /usr/bin/mount                          mount
)
if [ "$WAY_LOADER" = wine ]; then
  needs+=(
    /usr/lib/wine/wine                    wine32:i386
    /usr/lib/i386-linux-gnu/libcups.so.2  libcups2:i386
  )
fi

need=()
add() { case " ${need[*]} " in *" $1 "*) ;; *) need+=("$1") ;; esac; }
for ((i = 0; i < ${#needs[@]}; i += 2)); do
  [ -e "${needs[i]}" ] || add "${needs[i + 1]}"
done
# A folder that stops answering, for the end-to-end test of a hanging share.
[ -x /usr/bin/python3 ] && /usr/bin/python3 -c 'import fusepy' 2>/dev/null || add python3-fusepy

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi
echo "== installing: ${need[*]}"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
if [ "$WAY_LOADER" = wine ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
