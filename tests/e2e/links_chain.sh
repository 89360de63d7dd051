#!/usr/bin/env bash
# A chain of three running instances: Ende links to a column of Mitte, whose
# row links to Haushalt. An unsaved price typed in Haushalt reaches Ende,
# and so does its end without saving. Prints the latency of every hop.
source "$(dirname "$0")/lib.sh"
PRICE_01=1020

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }
# wait_text SECONDS TITLE ID TEXT: polls until the control shows TEXT; on
# success SEEN holds the time the successful probe started.
wait_text() {
  local limit=$1 title=$2 id=$3 want=$4 start end got
  end=$(awk -v t="$(now)" -v l="$limit" 'BEGIN { printf "%.3f", t + l }')
  while :; do
    start=$(now)
    got=$(probe text "$title" "$id")
    if [ "$got" = "$want" ]; then SEEN=$start; return 0; fi
    awk -v t="$start" -v e="$end" 'BEGIN { exit !(t > e) }' && { LAST="$got"; return 1; }
  done
}
# watch_file FILE PATTERN OUT: writes the time at which FILE first holds
# PATTERN into OUT (polled every 20 ms, in the background).
watch_file() {
  ( while ! grep -q "$2" "$1" 2>/dev/null; do sleep 0.02; done; now > "$3" ) &
  PIDS+=("$!")
}
crlf() { sed 's/$/\r/'; }

crlf > "$WORK/Haushalt.pgx" <<'EOF'
[LISTE]
Ware 01=Brot
Preis01=10.00
[B]
Name=Lebensmittel
Summe=10.00
[BUTTONS]
B=10000000000000000000
EOF
crlf > "$WORK/Mitte.pgx" <<EOF
[C]
Name=Weiter
[BUTTONS]
C=10000000000000000000
[SHARED]
File 01=$(winpath "$WORK/Haushalt.pgx")
Column=1///////////////////
EOF
crlf > "$WORK/Ende.pgx" <<EOF
[BUTTONS]
A=10000000000000000000
[SHARED]
File 01=$(winpath "$WORK/Mitte.pgx")
Column=2///////////////////
EOF

start_tarvelo "$(winpath "$WORK/Ende.pgx")"
wait_for 20 window_exists "Tarvelo   -   Ende" || fail "Ende did not appear"
start_tarvelo "$(winpath "$WORK/Mitte.pgx")"
wait_for 20 window_exists "Tarvelo   -   Mitte" || fail "Mitte did not appear"
start_tarvelo "$(winpath "$WORK/Haushalt.pgx")"
pid_haus=$LAST_PID
wait_for 20 window_exists "Tarvelo   -   Haushalt" || fail "Haushalt did not appear"
wait_text 8 "Tarvelo   -   Ende" $PRICE_01 "10.00" || fail "Ende does not show the saved sum: '$LAST'"
[ "$(probe text "Tarvelo   -   Ende" 1000)" = "[C] - [Mitte]--> Weiter" ] || fail "Ende's goods text"
wait_for 5 test -f "$WORK/Haushalt.pgw" || fail "Haushalt publishes nothing"

for f in Haushalt Mitte Ende; do watch_file "$WORK/$f.pgw" "Summe=25.50" "$WORK/$f.published"; done
click "Tarvelo   -   Haushalt" 261 52
xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 20 "25.50"
typed=$(now)
wait_text 8 "Tarvelo   -   Ende" $PRICE_01 "25.50" || fail "the change did not reach Ende: '$LAST'"
shown=$SEEN
wait_for 4 test -s "$WORK/Ende.published" || fail "Ende did not publish the change"
h=$(cat "$WORK/Haushalt.published"); m=$(cat "$WORK/Mitte.published"); e=$(cat "$WORK/Ende.published")
echo "typed -> Haushalt published: $(elapsed "$typed" "$h") s (<= 1.3 s by design)"
echo "hop Haushalt -> Mitte, published to published: $(elapsed "$h" "$m") s (1.0..2.0 s by design)"
echo "hop Mitte -> Ende, published to shown: $(elapsed "$m" "$shown") s (<= 1.0 s by design; probe resolution ~0.2 s)"
echo "hop Mitte -> Ende, published to published: $(elapsed "$m" "$e") s (1.0..2.0 s by design)"
echo "typed -> Ende shows it: $(elapsed "$typed" "$shown") s"

# Haushalt ends without saving: the saved price travels the chain as well.
click "Tarvelo   -   Haushalt" 46 548
wait_for 5 window_exists "Tarvelo" || fail "no save question"
xdotool key n
wait_for 10 bash -c "! kill -0 $pid_haus 2>/dev/null" || fail "Haushalt did not end"
wait_text 8 "Tarvelo   -   Ende" $PRICE_01 "10.00" || fail "the saved sum did not reach Ende: '$LAST'"
echo "links_chain passed"
