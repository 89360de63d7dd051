#!/usr/bin/env bash
# Mutation check of the in-process suite: how many planted faults it catches.
# Usage: scripts/mutation.sh TABLE [ID...]   (no IDs: every fault of the table)
#
# Clones HEAD into a temporary folder, builds the x86_64 tests there once
# (warnings not fatal), runs the suite once as it is (it must pass), then for
# each fault: plants it, rebuilds the test program, runs the suite and prints
#   ID: KILLED by <failed tests>   or   ID: SURVIVED (<file>)
# A fault whose old text does not occur exactly once is STALE; one that does
# not compile is BROKEN; neither is counted. The 64-bit loader, a private X
# display and a private prefix, as scripts/test.sh with TARVELO_ARCH=x86_64:
# it runs on either kind of machine, and whichever way it ends, it ends what
# it started and removes what it made.
#
# TABLE (tests/mutants.txt): blocks of
#   # what a user would suffer
#   @ ID path/of/file
#   - exact old text (one line, once in the file)
#   + its replacement (may be empty)
set -u
[ $# -ge 1 ] && [ -f "$1" ] || { echo "usage: $0 TABLE [ID...]" >&2; exit 2; }
here="$(cd "$(dirname "$0")/.." && pwd)"
table="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; shift
started_at=$(date +%s)
renice -n 10 $$ >/dev/null 2>&1 || true

work="$(mktemp -d "${TMPDIR:-/tmp}/tarvelo-mutation.XXXXXX")"
CHILD=""
finish() {
  trap - EXIT INT TERM HUP
  [ -n "$CHILD" ] && kill -- -"$CHILD" 2>/dev/null
  declare -F wine_env_stop >/dev/null && wine_env_stop
  if mountpoint -q "$work/fulldisk" 2>/dev/null; then umount "$work/fulldisk" || umount -l "$work/fulldisk"; fi
  rm -rf "$work"
  exit "${1:-2}"
}
trap 'finish $?' EXIT
trap 'finish 130' INT TERM HUP
# Long steps run as a job of their own: a signal ends them at once.
set -m
job() { "$@" & CHILD=$!; wait "$CHILD"; local rc=$?; CHILD=""; return $rc; }

git clone -q "$here" "$work/clone" || exit 2
src="$work/clone"
export TARVELO_ARCH=x86_64 BUILD_ROOT="$work"
source "$src/scripts/wine-env.sh" || exit 2
build="$work/x86_64"
export KEEPER_EXE="$build/tests/wine_keeper.exe"

cmake -S "$src" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-x86_64.cmake" \
      -DTARVELO_WERROR=OFF >"$work/configure.log" 2>&1 || { tail -5 "$work/configure.log"; exit 2; }
job nice cmake --build "$build" -j2 --target tarvelo_tests wine_keeper >"$work/build.log" 2>&1 \
  || { echo "build failed:"; tail -5 "$work/build.log"; exit 2; }
wine_env_start || exit 2
# Saves onto a full disk, as the test command has them where it may mount.
mkdir -p "$work/fulldisk"
if mount -t tmpfs -o size=256k tarvelo-fulldisk "$work/fulldisk" 2>/dev/null; then
  export TARVELO_FULL_DISK="Z:$(printf '%s' "$work/fulldisk" | tr / '\\')"
else
  echo "== no full disk (mounting needs root): its cases are skipped"
fi
cd "$build/tests" || exit 2

# suite: runs the in-process suite; what failed goes to $work/failed.
suite() {
  rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/tarvelo-tests-*
  job timeout -s KILL 900 nice wine ./tarvelo_tests.exe --gtest_brief=1 >"$work/suite.log" 2>&1 </dev/null
  local rc=$? failed
  failed="$(grep -E '^\[  FAILED  \] [A-Za-z0-9_/]+\.[A-Za-z0-9_/]+' "$work/suite.log" | awk '{print $4}' | sort -u | tr '\n' ' ')"
  if [ "$rc" -ne 0 ] && [ -z "$failed" ]; then
    if [ "$rc" -eq 137 ]; then failed="a hang (timeout)"; else failed="a crash (exit $rc)"; fi
  fi
  echo "$failed" >"$work/failed"
  return $rc
}

# plant ID: applies the fault to the clone; prints its file; 1 when stale.
plant() {
  python3 - "$table" "$1" "$src" <<'EOF'
import sys
from pathlib import Path
table, want, root = sys.argv[1], sys.argv[2], Path(sys.argv[3])
entry = None
for line in Path(table).read_text(encoding="utf-8").splitlines():
    if line.startswith("@ "):
        mid, path = line[2:].split(None, 1)
        entry = [path.strip(), None, None] if mid == want else None
    elif entry is not None and line[:1] in "-+" and line[:1]:
        entry[1 if line[0] == "-" else 2] = line[2:]
        if entry[2] is not None:
            break
if entry is None or entry[1] is None or entry[2] is None:
    sys.exit(f"no entry {want}")
path, old, new = entry
p = root / path
try:
    text = p.read_bytes().decode("latin-1")
except OSError:
    sys.exit(f"no file {path}")
# The table is UTF-8; a file in Windows-1252 (res/) is compared in its own bytes.
try:
    text.encode("latin-1").decode("utf-8")
    enc = "utf-8"
except UnicodeDecodeError:
    enc = "cp1252"
old, new = (s.encode(enc).decode("latin-1") for s in (old, new))
n = text.count(old)
if n != 1:
    sys.exit(f"{n} matches in {path}")
p.write_bytes(text.replace(old, new).encode("latin-1"))
print(path)
EOF
}

if ! suite; then echo "the suite fails unchanged: $(cat "$work/failed")"; tail -5 "$work/suite.log"; exit 2; fi
echo "unchanged: $(grep -E '^\[  PASSED  \]' "$work/suite.log")"

ids=("$@")
[ ${#ids[@]} -gt 0 ] || mapfile -t ids < <(awk '/^@ / { print $2 }' "$table")
killed=0 total=0
for id in "${ids[@]}"; do
  if ! file="$(plant "$id" 2>&1)"; then echo "$id: STALE ($file)"; continue; fi
  if ! job nice cmake --build "$build" -j2 --target tarvelo_tests >"$work/rebuild.log" 2>&1; then
    echo "$id: BROKEN (does not compile: $file)"
  else
    total=$((total + 1))
    if suite; then echo "$id: SURVIVED ($file)"
    else echo "$id: KILLED by $(cat "$work/failed")"; killed=$((killed + 1)); fi
  fi
  git -C "$src" checkout -q -- "$file"
done
percent=0; [ "$total" -gt 0 ] && percent=$((100 * killed / total))
echo "killed $killed of $total ($percent %) in $(( ($(date +%s) - started_at) / 60 )) min"
[ "$total" -gt 0 ] && [ "$killed" -eq "$total" ] && finish 0
finish 1
