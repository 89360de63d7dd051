#!/usr/bin/env bash
# What an idle instance costs (not part of the suite).
# Usage: scripts/idle-cpu.sh [SECONDS=20]
#
# One Tarvelo.exe runs on a private display with a document whose 20 rows
# all link to column B of one other document (not open anywhere, so every
# link tick reads it). Once the window shows the linked values and has
# published its own, the CPU time of the program and of the Wine server is
# read from /proc at the start and the end of SECONDS, and printed as a
# percentage of one core: each, and both together.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
duration="${1:-20}"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
source "$here/scripts/way.sh"
way_init
bash "$here/scripts/setup.sh"
dir="$BUILD_ROOT/$WAY_PRODUCT"
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$WAY_PRODUCT.cmake" >/dev/null
fi
cmake --build "$dir" -j2 --target Tarvelo winprobe -- --no-print-directory >/dev/null
EXE="$dir/Tarvelo.exe"
PROBE="$dir/tests/winprobe.exe"
source "$here/scripts/wine-env.sh"
WORK="$(mktemp -d)"
PID=""
cleanup() {
  [ -n "$PID" ] && kill "$PID" 2>/dev/null
  wine_env_stop
  rm -rf "$WORK"
}
trap cleanup EXIT
wine_env_start

fail() { echo "FAIL: $*" >&2; exit 1; }
now() { date +%s.%N; }
winpath() { winepath -w "$1" 2>/dev/null; }
probe() { wine "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }
crlf() { sed 's/$/\r/'; }
# wait_until SECONDS COMMAND...: polls until the command succeeds.
wait_until() {
  local end=$((SECONDS + $1)); shift
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
}
# User and system CPU time of a process so far, in clock ticks; the fields
# after the command name, which is in parentheses.
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
# The Wine server of this prefix (other prefixes have their own).
wineserver_pid() {
  local p
  for p in $(pgrep -x 'wineserver(64)?'); do
    tr '\0' '\n' < "/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return; }
  done
}

crlf > "$WORK/Quelle.pgx" <<'EOF'
[LISTE]
Ware 01=Brot
Preis01=100.50
[B]
Name=Vorrat
Summe=100.50
[BUTTONS]
B=10000000000000000000
EOF
{
  echo "[SHARED]"
  for row in $(seq -w 1 20); do echo "File $row=$(winpath "$WORK/Quelle.pgx")"; done
  echo "Column=11111111111111111111"  # one column index per row: B
} | crlf > "$WORK/Ziel.pgx"

(cd "$WORK" && exec wine "$EXE" "$(winpath "$WORK/Ziel.pgx")" >/dev/null 2>&1 </dev/null) &
PID=$!
title="Tarvelo   -   Ziel"
# Row 20's price edit shows the linked sum, and the companion file is there.
settled() { [ "$(probe text "$title" 1039)" = "100.50" ] && [ -f "$WORK/Ziel.pgw" ]; }
wait_until 60 settled || fail "the instance did not show its links (row 20: '$(probe text "$title" 1039)')"
# One more link tick, so that nothing of the start-up is counted.
sleep 1.5
server=$(wineserver_pid)
[ -n "$server" ] || fail "no Wine server for $WINEPREFIX"

hz=$(getconf CLK_TCK)
t0=$(now); a0=$(cpu_ticks "$PID"); s0=$(cpu_ticks "$server")
sleep "$duration"
t1=$(now); a1=$(cpu_ticks "$PID"); s1=$(cpu_ticks "$server")
kill -0 "$PID" 2>/dev/null || fail "the instance ended"

percent() { awk -v d="$1" -v hz="$hz" -v a="$t0" -v b="$t1" 'BEGIN { printf "%5.1f", 100 * d / hz / (b - a) }'; }
echo "idle CPU over $(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", b - a }') s, one instance, 20 rows linked to one document:"
echo "  Tarvelo.exe  $(percent $((a1 - a0))) % of one core"
echo "  wineserver   $(percent $((s1 - s0))) % of one core"
echo "  together     $(percent $((a1 - a0 + s1 - s0))) % of one core"
