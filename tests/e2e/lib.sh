# Helpers for the end-to-end tests: the real Tarvelo.exe under Wine on the
# test display, found by its title, driven by xdotool, read by winprobe.
# Arguments of every test: the exe and winprobe.exe.
# Every wait polls its condition up to a bound generous enough for a busy
# machine; nothing waits a fixed time.
set -euo pipefail
EXE="$1"
PROBE="$2"
WORK="$(mktemp -d)"
BOUND=30
declare -A PID=()

fail() { echo "FAIL: $*" >&2; exit 1; }
winpath() { winepath -w "$1" 2>/dev/null; }
# doc FILE LINE...: writes a document with the program's line ends.
doc() { local file="$1"; shift; printf '%s\r\n' "$@" > "$file"; }
probe() { wine "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }
title() { echo "Tarvelo   -   $1"; }

# wait_for COMMAND...: polls the command until it succeeds, at most BOUND s.
wait_for() {
  local end=$((SECONDS + BOUND))
  until "$@"; do [ $SECONDS -lt $end ] && sleep 0.05 || return 1; done
}
has_window() { wine "$PROBE" exists "$1" >/dev/null 2>&1; }
shows() { [ "$(probe text "$(title "$1")" "$2")" = "$3" ]; }
ended() { ! kill -0 "${PID[$1]}" 2>/dev/null; }
# expect NAME ID TEXT WHAT: waits until control ID of NAME's window shows TEXT.
expect() { wait_for shows "$1" "$2" "$3" || fail "$4: '$(probe text "$(title "$1")" "$2")', not '$3'"; }

# start NAME [DOCUMENT]: starts an instance in $WORK (on the document, if
# given) and waits for its window.
start() {
  (cd "$WORK" && exec wine "$EXE" ${2:+"$(winpath "$2")"} >/dev/null 2>&1 </dev/null) &
  PID[$1]=$!
  wait_for has_window "$(title "$1")" || fail "$1 did not appear"
}

# answer ID: presses a button of the message box (6 Ja, 7 Nein) once it shows.
answer() { wait_for has_window Tarvelo && wine "$PROBE" press Tarvelo "$1" || fail "no question to answer"; }

# The real pointer, in client coordinates of the window aimed at.
aim() {
  # A click before the X window is mapped reaches nothing.
  timeout $BOUND xdotool search --sync --onlyvisible --name "^$(title "$1")\$" >/dev/null || fail "$1 is not on the screen"
  xdotool search --name "^$(title "$1")\$" windowraise >/dev/null 2>&1 || true  # on top, where the pointer aims
  read -r OX OY < <(probe origin "$(title "$1")") || fail "no window $1"
}
click() { xdotool mousemove $((OX + $1)) $((OY + $2)) click 1; }

# Every instance still running is ended, and waited for until it is gone:
# no Wine process outlives the test.
cleanup() {
  local name
  kill "${PID[@]}" 2>/dev/null || true
  for name in "${!PID[@]}"; do
    BOUND=10 wait_for ended "$name" || kill -9 "${PID[$name]}" 2>/dev/null || true
    wait "${PID[$name]}" 2>/dev/null || true
  done
  rm -rf "$WORK"
}
trap cleanup EXIT
