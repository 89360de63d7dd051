#!/usr/bin/env bash
# Real mouse gestures on the running program: a row drag exchanges two rows,
# a Ctrl-drag copies one, a click in the gap toggles a separator, and a
# double-click on a linked row's goods field steps its link twice; the
# saved document shows every change.
source "$(dirname "$0")/lib.sh"

cat > "$WORK/Haus.pgx" <<'INI'
[A]
Name=Miete
Summe=700.00
[C]
Name=Strom
Summe=80.00
INI
cat > "$WORK/Gesten.pgx" <<INI
[LISTE]
Ware 01=Brot
Preis01=2.49
Ware 02=Milch
Preis02=1.19
[B]
Name=Obst
[E]
Name=Saft
[SHARED]
File 03=$(winpath "$WORK/Haus.pgx")
Column=//0/////////////////
INI
TITLE="Tarvelo   -   Gesten"
start_tarvelo "$(winpath "$WORK/Gesten.pgx")"
pid=$LAST_PID
wait_for 20 window_exists "$TITLE" || fail "window did not appear"
text() { probe text "$TITLE" "$1"; }
wait_for 5 bash -c "[ \"\$(wine '$PROBE' text '$TITLE' 1002 2>/dev/null | tr -d '\r')\" = '[A] - [Haus]--> Miete' ]" \
  || fail "linked row not refreshed: $(text 1002)"

read -r ox oy < <(probe origin "$TITLE")
at() { xdotool mousemove $((ox + $1)) $((oy + $2)); }
drag() {  # x1 y1 x2 y2: press, move in steps, release
  at "$1" "$2"; xdotool mousedown 1
  at "$1" $(( ($2 + $4) / 2 )); at "$3" "$4"
  xdotool mouseup 1
}

# Row labels at x 14..33; row 01 spans y 41..61, row 02 63..84, row 04 109..130.
drag 24 51 24 74
wait_for 3 bash -c "[ \"\$(wine '$PROBE' text '$TITLE' 1000 2>/dev/null | tr -d '\r')\" = Milch ]" \
  || fail "row drag did not exchange: $(text 1000)"
[ "$(text 1001)" = "Brot" ] || fail "row 02 after the exchange: $(text 1001)"

xdotool keydown ctrl
drag 24 74 24 120
xdotool keyup ctrl
wait_for 3 bash -c "[ \"\$(wine '$PROBE' text '$TITLE' 1003 2>/dev/null | tr -d '\r')\" = Brot ]" \
  || fail "Ctrl-drag did not copy: $(text 1003)"
[ "$(text 1001)" = "Brot" ] || fail "the copied row changed"

# The gap under row 05: x 288..302, y 147..161.
at 295 154; xdotool click 1

# A double-click on the disabled goods field of linked row 03 (y 86..107).
at 100 97; xdotool click --repeat 2 --delay 80 1
wait_for 3 bash -c "[ \"\$(wine '$PROBE' text '$TITLE' 1002 2>/dev/null | tr -d '\r')\" = '[C] - [Haus]--> Strom' ]" \
  || fail "double-click did not step the link twice: $(text 1002)"

# A column drag over the group box captions and "Auswahl :" texts:
# header B (x 368..421) onto header E (x 566..619), y 6..39.
drag 395 23 593 23
wait_for 3 bash -c "[ \"\$(wine '$PROBE' text '$TITLE' 1181 2>/dev/null | tr -d '\r')\" = Saft ]" \
  || fail "column drag did not exchange the names: $(text 1181)"
[ "$(text 1184)" = "Obst" ] || fail "column E after the drag: $(text 1184)"

# An enabled edit takes its own clicks: a double-click in the goods field
# of row 06 does not reach the window (which would pause the background
# work and delete the companion file).
wait_for 5 test -f "$WORK/Gesten.pgw" || fail "no companion file"
at 100 165; xdotool click --repeat 2 --delay 80 1
wait_for 3 test -f "$WORK/Gesten.pgw" || fail "double-click in an enabled edit reached the window"
[ "$(text 1005)" = "" ] || fail "row 06 changed"

# EXIT, and Yes to the save question.
at 46 548; xdotool click 1
sleep 0.5
xdotool key y
wait_for 10 bash -c "! kill -0 $pid 2>/dev/null" || fail "program did not end"

saved=$(tr -d '\r' < "$WORK/Gesten.pgx")
grep -qx 'Ware 01=Milch' <<<"$saved" || fail "saved row 01"
grep -qx 'Ware 02=Brot' <<<"$saved" || fail "saved row 02"
grep -qx 'Ware 04=Brot' <<<"$saved" || fail "saved row 04"
grep -qx 'Lines=0000100000000000000' <<<"$saved" || fail "saved separator: $(grep Lines <<<"$saved")"
grep -qx 'Column=//2/////////////////' <<<"$saved" || fail "saved link column: $(grep Column <<<"$saved")"
grep -qx 'Name=Saft' <<<"$(sed -n '/^\[B\]/,/^\[/p' <<<"$saved")" || fail "saved column B name"
echo "gestures passed"
