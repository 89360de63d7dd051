#!/usr/bin/env bash
# Sets up what is missing, builds both targets, runs the static analysis
# and then the whole suite under Wine on a private X display and a private
# Wine prefix.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
mkdir -p "$BUILD_ROOT"

bash "$here/scripts/setup.sh"
bash "$here/scripts/build.sh" i686
bash "$here/scripts/build.sh" x86_64

# Static analysis of src/ (cppcheck and clang-tidy); a finding fails the
# run, after the tests have run all the same.
echo "== static analysis"
analysis=0
bash "$here/scripts/static-analysis.sh" || analysis=1

source "$here/scripts/wine-env.sh"
export KEEPER_EXE="$BUILD_ROOT/i686/tests/wine_keeper.exe"
# A small file system, where it can be had, for saves onto a full disk.
full_disk="$BUILD_ROOT/fulldisk"
mkdir -p "$full_disk"
if mountpoint -q "$full_disk" || mount -t tmpfs -o size=256k tmpfs "$full_disk" 2>/dev/null; then
  export TARVELO_FULL_DISK="Z:$(printf '%s' "$full_disk" | tr / '\\')"
fi
# On a virtual machine whose processors halt the moment they are idle, every
# round trip to the Wine server waits for one to wake up: the suite runs
# several times slower on an idle machine than on a busy one. Where the
# guest allows it (root, haltpoll), let idle processors poll a moment
# before they halt while the suite runs, and put the setting back after.
halt_poll=/sys/module/haltpoll/parameters/guest_halt_poll_ns
halt_poll_was=$(cat "$halt_poll" 2>/dev/null || true)
[ -w "$halt_poll" ] && echo 200000 > "$halt_poll" 2>/dev/null || true
stop_all() {
  wine_env_stop
  mountpoint -q "$full_disk" && umount "$full_disk"
  [ -n "$halt_poll_was" ] && echo "$halt_poll_was" > "$halt_poll" 2>/dev/null
  return 0
}
trap stop_all EXIT
wine_env_start

status=$analysis
for arch in i686 x86_64; do
  echo "== $arch"
  ctest --test-dir "$BUILD_ROOT/$arch" --output-on-failure ${CTEST_ARGS:-} || status=1
done
exit $status
