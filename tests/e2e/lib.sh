# Helpers for the end-to-end tests: the real Tarvelo.exe under Wine on the
# test display, found by its title and driven by xdotool.
# Arguments of every test: the exe, the folder of the test programs.
set -euo pipefail
EXE="$1"
TOOLS="$2"
PROBE="$TOOLS/winprobe.exe"
WORK="$(mktemp -d)"
PIDS=()
cleanup() {
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

winpath() { winepath -w "$1" 2>/dev/null; }

# start_tarvelo [document]: starts an instance in $WORK, its PID in LAST_PID.
start_tarvelo() {
  (cd "$WORK" && exec wine "$EXE" "$@" >/dev/null 2>&1 </dev/null) &
  LAST_PID=$!
  PIDS+=("$LAST_PID")
}

probe() { wine "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }

# wait_for SECONDS COMMAND...: polls until the command succeeds.
wait_for() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.1
  done
}

window_exists() { wine "$PROBE" exists "$1" >/dev/null 2>&1; }
window_gone() { ! window_exists "$1"; }

# click TITLE X Y [button]: a real click at client coordinates.
click() {
  local title=$1 x=$2 y=$3 button=${4:-1}
  read -r ox oy < <(probe origin "$title")
  xdotool mousemove $((ox + x)) $((oy + y)) click "$button"
}

fail() { echo "FAIL: $*" >&2; exit 1; }
