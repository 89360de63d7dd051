#!/usr/bin/env bash
# Builds the Windows Installer package (res/Tarvelo.wxs, with wixl) from a
# folder holding Tarvelo.exe, Info_Help.doc and Tarvelo.pgk. The same files
# and version give the same package, byte for byte: the product code is
# derived from the version, the package code from the version and the
# packed files, and the times inside are STAMP (seconds since 1970; by
# default the time of the last commit), as wixl itself writes the current
# time and a random package code.
# The package is for the platform of the Tarvelo.exe it packs: the release
# packs the 32-bit product; the tests of a machine that runs no 32-bit
# programs pack the 64-bit build.
# Usage: scripts/make-msi.sh DIR VERSION OUT.msi [STAMP]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
[ $# -ge 3 ] || { echo "usage: $0 DIR VERSION OUT.msi [STAMP]" >&2; exit 2; }
dir="$(cd "$1" && pwd)"
version="$2"
out="$3"
stamp="${4:-$(git -C "$here" log -1 --format=%ct 2>/dev/null || date +%s)}"
wxs="$here/res/Tarvelo.wxs"

# Name-based GUIDs under the upgrade code, which never changes.
upgrade="$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' "$wxs")"
guid() {
  python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
    "$upgrade" "$1"
}
product="$(guid "Tarvelo $version")"
files="$(cd "$dir" && sha256sum Tarvelo.exe Info_Help.doc Tarvelo.pgk | sha256sum)"
package="$(guid "Tarvelo $version package ${files%% *}")"

# The exe's machine, from its PE header.
machine="$(python3 -c 'import struct, sys
data = open(sys.argv[1], "rb").read(4096)
pe = struct.unpack_from("<I", data, 0x3c)[0]
print({0x14c: "x86", 0x8664: "x64"}.get(struct.unpack_from("<H", data, pe + 4)[0], "?"))' "$dir/Tarvelo.exe")"
case "$machine" in
  x86) platform=Intel ;;
  x64) platform=x64 ;;
  *) echo "make-msi: $dir/Tarvelo.exe is neither a 32- nor a 64-bit x86 program" >&2; exit 1 ;;
esac

frozen="$(TZ=UTC date -d "@$stamp" '+%Y-%m-%d %H:%M:%S')"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"
rm -f "$out"
# wixl takes the files from the folder it runs in.
(cd "$dir" && TZ=UTC faketime "$frozen" wixl -a "$machine" -D Version="$version" -D ProductCode="$product" \
  -o "$out" "$wxs")
# Title, author, platform and language of the summary, and the package code.
TZ=UTC faketime "$frozen" msibuild "$out" \
  -s "Preisliste mit Summen für sieben Auswahlgruppen" Tarvelo "$platform;1031" "{$package}"
