#!/usr/bin/env bash
# Builds the 32-bit release of Tarvelo and packs it for Windows users:
# dist/Tarvelo-<version>.zip with Tarvelo.exe, Tarvelo.pgk (the animation
# script) and Info_Help.doc (the help that "?" opens), all side by side,
# and dist/Tarvelo-<version>.msi, the Windows Installer package of the same
# three files (res/Tarvelo.wxs, made by scripts/make-msi.sh).
# The version is the one of CMakeLists.txt; the exe carries it in its
# version resource. The exe in the packages has its symbol tables stripped.
# Usage: scripts/package.sh
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
bash "$here/scripts/setup.sh"

# A build folder of its own, without the tests, always in release mode.
dir="$BUILD_ROOT/release-i686"
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DTARVELO_TESTS=OFF >/dev/null
fi
cmake --build "$dir" -j2 --target Tarvelo help_document -- --no-print-directory

version="$(sed -n 's/^#define TARVELO_VERSION_STRING "\(.*\)"$/\1/p' "$dir/generated/version.h")"
[ -n "$version" ] || { echo "package: no version in $dir/generated/version.h" >&2; exit 1; }

# The exe must say its version, or Windows shows none in its properties.
# (grep reads to the end: with -q, windres could die of a closed pipe.)
i686-w64-mingw32-windres -i "$dir/Tarvelo.exe" -O rc 2>/dev/null \
  | grep "VALUE \"ProductVersion\", \"$version\"" >/dev/null \
  || { echo "package: Tarvelo.exe has no version resource $version" >&2; exit 1; }

# Same sources, same packages: the exe's link time stamp, the file times
# and the times inside the installer package are the time of the last
# commit.
stamp="$(git -C "$here" log -1 --format=%ct 2>/dev/null || date +%s)"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
SOURCE_DATE_EPOCH="$stamp" i686-w64-mingw32-strip -o "$stage/Tarvelo.exe" "$dir/Tarvelo.exe"
cp "$dir/Tarvelo.pgk" "$dir/Info_Help.doc" "$stage/"
touch -d "@$stamp" "$stage"/*

mkdir -p "$here/dist"
zipfile="$here/dist/Tarvelo-$version.zip"
rm -f "$zipfile"
(cd "$stage" && TZ=UTC zip -q -X -9 "$zipfile" Tarvelo.exe Tarvelo.pgk Info_Help.doc)
msifile="$here/dist/Tarvelo-$version.msi"
bash "$here/scripts/make-msi.sh" "$stage" "$version" "$msifile" "$stamp"
unzip -l "$zipfile"
ls -l "$zipfile" "$msifile"
