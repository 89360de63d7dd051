#!/usr/bin/env bash
# Linked rows across running instances and a folder that stops answering.
# Ziel's row 01 links to column B of Haushalt, open in another instance;
# row 02 to a document in a share that hangs for 5 s, as one does whose
# server went away. Prices typed but not saved in Haushalt reach Ziel at
# once, also during the hang; meanwhile Ziel answers (within 2 s, a bound no
# load can miss; the slowest answer is printed, its goal is 250 ms), takes
# typing with its sums, and its share row keeps its last value until the
# share answers again. Haushalt's companion file goes when it asks to save.
# During another hang, EXIT with No closes Ziel's window at once.
source "$(dirname "$0")/lib.sh"
PY=/usr/bin/python3
if [ "$(id -u)" != 0 ] || [ ! -e /dev/fuse ] || ! $PY -c 'import fusepy' 2>/dev/null; then
  echo "SKIPPED: a hanging folder needs root, /dev/fuse and python3-fusepy"
  exit 77
fi
PRICE_01=1020 PRICE_02=1021 SUM_A=1187
share="$WORK/share" mnt="$WORK/mnt" hang="$WORK/hang"
mkdir -p "$share" "$mnt"
$PY "$(dirname "$0")/hangfs.py" "$share" "$mnt" "$hang" &
FUSE_PID=$!
# The file system's process may end by itself once unmounted: neither step
# may fail the test that has passed.
trap 'rm -f "$hang"; fusermount -u -z "$mnt" 2>/dev/null || true; kill $FUSE_PID 2>/dev/null || true; cleanup' EXIT
wait_for mountpoint -q "$mnt" || fail "the share was not mounted"
# hang: the share stops answering; wait until a look-up into it is held.
hang() { touch "$hang"; wait_for test -f "$hang.held" || fail "nothing looked into the share"; }
price() { aim "$1"; click 261 "$2"; xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace; xdotool type --delay 20 "$3"; }

doc "$WORK/Haushalt.pgx" '[LISTE]' 'Ware 01=Brot' 'Preis01=10.00' '[B]' 'Name=Lebensmittel' 'Summe=10.00' \
  '[BUTTONS]' 'B=10000000000000000000'
doc "$share/Fern.pgx" '[B]' 'Name=Fern' 'Summe=1.00'
doc "$WORK/Ziel.pgx" '[BUTTONS]' 'A=11100000000000000000' '[SHARED]' "File 01=$(winpath "$WORK/Haushalt.pgx")" \
  "File 02=$(winpath "$mnt/Fern.pgx")" 'Column=11//////////////////'
start Ziel "$WORK/Ziel.pgx"
expect Ziel $PRICE_01 10.00 "Haushalt's saved price, Haushalt not running"
expect Ziel $PRICE_02 1.00 "the share's price"
start Haushalt "$WORK/Haushalt.pgx"
price Haushalt 52 25.50
expect Ziel $PRICE_01 25.50 "the unsaved price"

hang
doc "$share/Fern.pgx" '[B]' 'Name=Fern' 'Summe=10.00'
probe answers "$(title Ziel)" 5 2000 > "$WORK/answers" &
ANSWERS=$!
price Ziel 97 4.00
expect Ziel $SUM_A 30.50 "the sum with the price typed during the hang"
price Haushalt 52 26.00
expect Ziel $PRICE_01 26.00 "the unsaved price during the hang"
wait $ANSWERS || fail "Ziel did not answer during the hang: $(cat "$WORK/answers")"
echo "during the hang: $(cat "$WORK/answers") (goal 250 ms)"
[ "$(probe text "$(title Ziel)" $PRICE_02)" = 1.00 ] || fail "the share's row did not keep its last value"
rm -f "$hang" "$hang.held"
expect Ziel $PRICE_02 10.00 "the share's new price once it answers"

# Haushalt's companion file goes as soon as its save question shows.
wine "$PROBE" press "$(title Haushalt)" 1
wait_for has_window Tarvelo || fail "no save question"
[ ! -f "$WORK/Haushalt.pgw" ] || fail "companion file kept during the question"
answer 6
wait_for ended Haushalt || fail "Haushalt did not end"

hang
wine "$PROBE" press "$(title Ziel)" 1
answer 7
BOUND=3 wait_for eval '! has_window "$(title Ziel)"' || fail "the window did not close within 3 s"
rm -f "$hang"
wait_for ended Ziel || fail "the program did not end after the hang"
echo "links passed"
