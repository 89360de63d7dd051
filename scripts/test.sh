#!/usr/bin/env bash
# Sets up what is missing, builds both targets, runs the static analysis
# and then the whole suite under Wine on a private X display and a private
# Wine prefix, and ends with a summary that names every case skipped.
#
# It leaves the machine as it found it, whichever way it ends (a failure,
# Ctrl-C, kill): it ends every process it started, unmounts only what it
# mounted and puts the processors' idle setting back. A run killed outright
# (kill -9) cannot do that; the next run in the same build folder ends what
# it left running and unmounts what it mounted, and the next run anywhere
# puts the setting back. Its printer queue is a CUPS server of its own
# under the build folder (scripts/cups-env.sh), ended with the run.
#
# On a machine that runs no 32-bit programs (or with TARVELO_ARCH=x86_64)
# it builds and runs x86_64 alone, and the summary names i686 as skipped.
#
# TARVELO_NO_TUNING=1 leaves the idle setting alone; CTEST_ARGS passes
# options to ctest (for example CTEST_ARGS="-R Document").
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
mkdir -p "$BUILD_ROOT"

source "$here/scripts/wine-env.sh"
source "$here/scripts/cups-env.sh"
export KEEPER_EXE="$BUILD_ROOT/$WAY_PRODUCT/tests/wine_keeper.exe"

# --- One run per build folder; every process of a run carries its tag.
# The run's shell is told by its pid and start time (a pid alone may be
# taken again by another process).
run_file="$BUILD_ROOT/.test-run"
started() { awk '{ print $22 }' "/proc/$1/stat" 2>/dev/null; }
# tagged TAG: the processes that carry the tag, but the Wine server (which
# must answer while the others are frozen) and this shell.
tagged() {
  local file pid
  for file in $(env -u TARVELO_RUN grep -lzxF "TARVELO_RUN=$1" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${file#/proc/}; pid=${pid%/environ}
    [ "$pid" != $$ ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" != wineserver ] && echo "$pid"
  done
  return 0
}
# end_run TAG: ends every process of that run: frozen first, so that none
# starts another meanwhile; the Wine server ends its programs and itself;
# the rest (ctest, test scripts, the X server) may tidy up before they go.
end_run() {
  local pids i
  pids="$(tagged "$1")"
  [ -z "$pids" ] || kill -STOP $pids 2>/dev/null || true
  pids="$(tagged "$1")"
  [ -z "$pids" ] || kill -STOP $pids 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  [ -z "$pids" ] || { kill -TERM $pids; kill -CONT $pids; } 2>/dev/null || true
  for i in $(seq 1 40); do [ -n "$(tagged "$1")" ] || break; sleep 0.05; done
  pids="$(tagged "$1")"
  [ -z "$pids" ] || kill -KILL $pids 2>/dev/null || true
  return 0
}
while ! (set -C; echo "$$ $(started $$)" > "$run_file") 2>/dev/null; do
  read -r pid start < "$run_file" || true
  if [ -n "${pid:-}" ] && [ "$(started "$pid")" = "$start" ]; then
    echo "Another run of scripts/test.sh (pid $pid) uses $BUILD_ROOT." >&2
    exit 1
  fi
  echo "== ending what a run killed earlier left running"
  end_run "$pid.$start"
  rm -f "$run_file"
done
export TARVELO_RUN="$$.$(started $$)"

# --- The processors' idle setting. On a virtual machine whose processors
# halt the moment they are idle, every round trip to the Wine server waits
# for one to wake up: the suite runs several times slower on an idle
# machine than on a busy one. Where the guest allows it (root, haltpoll),
# idle processors poll a moment before they halt while the suite runs.
# The setting is the whole machine's: one run at a time holds it, and the
# state file (pid, start time and the value found) lets the next run put
# back what a run killed outright left.
halt_poll=/sys/module/haltpoll/parameters/guest_halt_poll_ns
halt_poll_want=200000
halt_poll_state=/run/lock/tarvelo-halt-poll
halt_poll_held=0
# Under the lock: the holder's pid, start time and the value it found.
tune() {
  local pid start was
  read -r pid start was 2>/dev/null < "$halt_poll_state" || true
  if [ -n "${pid:-}" ] && [ "$(started "$pid")" = "$start" ]; then
    echo "== guest_halt_poll_ns is held by another run (pid $pid): left to it"
    return 0
  fi
  if [ -n "${was:-}" ] && [ "$(cat "$halt_poll")" = "$halt_poll_want" ]; then
    [ "$was" = "$halt_poll_want" ] || echo "== guest_halt_poll_ns: $halt_poll_want left by a run killed earlier, $was before it"
  else
    was="$(cat "$halt_poll")"
  fi
  if [ "${TARVELO_NO_TUNING:-0}" = 1 ]; then
    [ "$(cat "$halt_poll")" = "$was" ] || { echo "$was" > "$halt_poll" && echo "== guest_halt_poll_ns back to $was"; }
    rm -f "$halt_poll_state"
    echo "== guest_halt_poll_ns left at $was (TARVELO_NO_TUNING=1)"
    return 0
  fi
  echo "$$ $(started $$) $was" > "$halt_poll_state"
  if [ "$was" != "$halt_poll_want" ]; then
    echo "$halt_poll_want" > "$halt_poll"
    echo "== guest_halt_poll_ns $was -> $halt_poll_want while the suite runs (TARVELO_NO_TUNING=1 leaves it)"
  fi
}
# Puts the value found back, unless someone else has set another meanwhile.
untune() {
  local pid start was
  read -r pid start was 2>/dev/null < "$halt_poll_state" || return 0
  [ "$pid" = $$ ] || return 0
  if [ "$(cat "$halt_poll")" = "$halt_poll_want" ] && [ "$was" != "$halt_poll_want" ]; then
    echo "$was" > "$halt_poll" && echo "== guest_halt_poll_ns back to $was"
  fi
  rm -f "$halt_poll_state"
}
# The lock is held only for these few lines, by a subshell that starts no
# lasting process: nothing the run leaves behind can keep it.
locked() { ( flock 9 && "$@" ) 9>>"$halt_poll_state.lock"; }

# --- A small file system, where one can be mounted, for saves onto a full
# disk; named, so that one left by a killed run is known as such.
full_disk="$BUILD_ROOT/fulldisk"
full_disk_mounted=0

finish() {
  local status=$?
  set +e
  trap - EXIT INT TERM HUP
  [ $status -lt 128 ] || echo "== stopped by a signal: ending what the run started"
  cups_stop
  end_run "$TARVELO_RUN"
  if [ "$full_disk_mounted" = 1 ] && ! umount "$full_disk"; then
    umount -l "$full_disk" || echo "== could not unmount $full_disk" >&2
  fi
  [ "$halt_poll_held" = 0 ] || locked untune
  rm -f "$run_file"
  exit $status
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

bash "$here/scripts/setup.sh"
for arch in $WAY_ARCHES; do bash "$here/scripts/build.sh" "$arch"; done

# Static analysis of src/ (cppcheck and clang-tidy); a finding fails the
# run, after the tests have run all the same.
echo "== static analysis"
analysis=passed
bash "$here/scripts/static-analysis.sh" || analysis=FAILED

if [ -w "$halt_poll" ] && [ -d /run/lock ]; then
  # The subshell's choice comes back through the state file.
  locked tune
  read -r holder _ 2>/dev/null < "$halt_poll_state" || true
  [ "${holder:-}" != $$ ] || halt_poll_held=1
fi

mkdir -p "$full_disk"
if [ "$(findmnt -n -o SOURCE --mountpoint "$full_disk" 2>/dev/null)" = tarvelo-fulldisk ]; then
  echo "== unmounting the small file system a run killed earlier left"
  umount "$full_disk" || umount -l "$full_disk"
fi
if mountpoint -q "$full_disk"; then
  echo "== $full_disk is someone else's mount: left alone, the full disk is not tried"
elif mount -t tmpfs -o size=256k tarvelo-fulldisk "$full_disk" 2>/dev/null; then
  full_disk_mounted=1
  echo "== a 256 KB file system on $full_disk for saves onto a full disk, until the end of the run"
  export TARVELO_FULL_DISK="Z:$(printf '%s' "$full_disk" | tr / '\\')"
fi

# A printer queue of the run's own, before Wine starts: every Wine program
# then sees it as the only printer and the default.
if cups_start; then
  echo "== a CUPS server of the run's own on $CUPS_SERVER, its PDF queue $CUPS_QUEUE the default printer"
else
  echo "== no CUPS server of the run's own: $CUPS_UNAVAILABLE (the print test is skipped)"
fi
wine_env_start
# The test programs' folders are named by their Windows pids, which come
# again in every run: none may find what a run killed earlier left there.
rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/tarvelo-tests-*

# ctest runs in the background, so that a signal ends the run at once.
declare -A result=()
status=0
[ "$analysis" = passed ] || status=1
for arch in $WAY_ARCHES; do
  echo "== $arch"
  result[$arch]=passed
  # The installer package once, with the product or what stands for it.
  only=()
  [ "$arch" = "$WAY_PRODUCT" ] || only=(-LE product_only)
  ctest --test-dir "$BUILD_ROOT/$arch" --output-on-failure "${only[@]}" ${CTEST_ARGS:-} &
  wait $! || { result[$arch]=FAILED; status=1; }
done

# Every case a test program skipped (GTEST_SKIP) is named here: nothing
# passes quietly.
echo "== summary"
echo "static analysis: $analysis"
for arch in i686 x86_64; do
  if [ -z "${result[$arch]:-}" ]; then
    echo "$arch: SKIPPED ($WAY_REASON)"
    continue
  fi
  log="$BUILD_ROOT/$arch/Testing/Temporary/LastTest.log"
  # Each skipped test with the reason GoogleTest printed before it.
  skipped="$(awk '/: Skipped$/ { getline why; next }
    /^\[  SKIPPED \] [^ ]+\.[^ ]+ \([0-9]+ ms\)$/ { print "  SKIPPED " $4 ": " why; why = "" }' "$log" 2>/dev/null | sort -u)"
  echo "$arch: ${result[$arch]}, $(grep -c SKIPPED <<<"$skipped" || true) case(s) SKIPPED"
  [ -z "$skipped" ] || echo "$skipped"
done
exit $status
