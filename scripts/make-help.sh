#!/usr/bin/env bash
# Makes the help document Info_Help.doc (RTF content, which Word, WordPad and
# LibreOffice open) from its source docs/help/Info_Help.md. The build runs
# the same converter and puts the result beside Tarvelo.exe; this script is
# for looking at it on its own.
# Usage: scripts/make-help.sh [OUT=build/Info_Help.doc]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$here/build/Info_Help.doc}"
version="$(sed -n 's/^project(Tarvelo VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")"
[ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
python3 "$here/docs/help/md2rtf.py" "$here/docs/help/Info_Help.md" "$out" "$version"
echo "$out"
