#!/usr/bin/env bash
# Saves a PNG of the running main window under Wine (for visual checks).
# Usage: scripts/screenshot.sh OUT.png [document]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-screenshot.png}")"; shift || true
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
source "$here/scripts/way.sh"
way_init
bash "$here/scripts/build.sh" "$WAY_PRODUCT" >/dev/null
source "$here/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
doc=()
title="Tarvelo   -   Unbenannt"
if [ $# -gt 0 ]; then
  doc=("$(winepath -w "$(realpath "$1")")")
  title="Tarvelo   -   $(basename "${1%.*}")"
fi
wine "$BUILD_ROOT/$WAY_PRODUCT/Tarvelo.exe" "${doc[@]}" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 1 100); do
  wine "$BUILD_ROOT/$WAY_PRODUCT/tests/winprobe.exe" exists "$title" 2>/dev/null && break
  sleep 0.1
done
sleep "${SHOT_DELAY:-1.5}"
import -window root -crop 820x620+0+0 "$out"
kill "$pid" 2>/dev/null || true
echo "$out"
