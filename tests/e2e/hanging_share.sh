#!/usr/bin/env bash
# A row linked into a folder that stops answering, as a share does whose
# server went away: for 5 s every look-up there hangs. The window answers
# all through, typing goes on and the sums follow, a row linked into a
# local folder still follows its document, and once the folder answers
# again the row shows its document's new values. During another hang,
# EXIT with No closes the window at once.
source "$(dirname "$0")/lib.sh"
PY=/usr/bin/python3
if [ "$(id -u)" != 0 ] || [ ! -e /dev/fuse ] || ! $PY -c 'import fusepy' 2>/dev/null; then
  echo "SKIPPED: a hanging folder needs root, /dev/fuse and python3-fusepy"
  exit 77
fi
PRICE_01=1020
PRICE_02=1021
SUM_A=1187
share="$WORK/share" mnt="$WORK/mnt" flag="$WORK/hang"
mkdir -p "$share" "$mnt"
$PY "$(dirname "$0")/hangfs.py" "$share" "$mnt" "$flag" &
FUSE_PID=$!
unmount() { rm -f "$flag"; fusermount -u -z "$mnt" 2>/dev/null; kill $FUSE_PID 2>/dev/null; }
trap 'unmount; cleanup' EXIT
wait_for mountpoint -q "$mnt" || fail "the hanging folder was not mounted"

doc "$share/Fern.pgx" '[B]' 'Name=Fern' 'Summe=1.00'
doc "$WORK/Nah.pgx" '[B]' 'Name=Nah' 'Summe=2.00'
doc "$WORK/Ziel.pgx" '[BUTTONS]' 'A=11100000000000000000' '[SHARED]' "File 01=$(winpath "$mnt/Fern.pgx")" \
  "File 02=$(winpath "$WORK/Nah.pgx")" 'Column=11//////////////////'
start Ziel "$WORK/Ziel.pgx"
expect Ziel $PRICE_01 1.00 "the row linked into the share"
expect Ziel $PRICE_02 2.00 "the row linked into the local folder"

# The share stops answering, and its document changes on the server.
touch "$flag"
doc "$share/Fern.pgx" '[B]' 'Name=Fern' 'Summe=10.00'
wait_for test -f "$flag.held" || fail "nothing looked into the share"
wine "$PROBE" answers "$(title Ziel)" 5 250 &
ANSWERS=$!
aim Ziel
click 261 97
xdotool type --delay 20 4.00
expect Ziel $SUM_A 7.00 "the sum with the typed price"
doc "$WORK/Nah.pgx" '[B]' 'Name=Nah' 'Summe=3.00'
expect Ziel $PRICE_02 3.00 "the local row during the hang"
wait $ANSWERS || fail "the window did not answer within 250 ms during the hang"
[ "$(probe text "$(title Ziel)" $PRICE_01)" = 1.00 ] || fail "the share's row did not keep its last value"
rm -f "$flag" "$flag.held"
expect Ziel $PRICE_01 10.00 "the share's new value once it answers"

# Another hang: EXIT with No closes the window at once; the process may
# stay until the hung look-up returns.
touch "$flag"
wait_for test -f "$flag.held" || fail "nothing looked into the share"
click 46 548
answer 7
BOUND=3 wait_for eval '! has_window "$(title Ziel)"' || fail "the window did not close within 3 s"
rm -f "$flag"
wait_for ended Ziel || fail "the program did not end after the hang"
echo "hanging_share passed"
