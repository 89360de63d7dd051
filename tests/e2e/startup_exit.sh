#!/usr/bin/env bash
# The real program starts untitled, shows its title, and ends with EXIT;
# started with a text file it ends at once and writes nothing.
source "$(dirname "$0")/lib.sh"
TITLE="Tarvelo   -   Unbenannt"

start_tarvelo
pid=$LAST_PID
wait_for 20 window_exists "$TITLE" || fail "window did not appear"
# The total reads 0.00 once the start-up animation of the demo script has
# played (the sums rest while it plays).
wait_for 20 bash -c "[ \"\$(wine '$PROBE' text '$TITLE' 1194 2>/dev/null | tr -d '\r')\" = 0.00 ]" \
  || fail "total not computed"
# EXIT: dialog units (6, 330, 50, 14) at 1.5 x 1.625 pixels per unit.
click "$TITLE" 46 548
wait_for 10 bash -c "! kill -0 $pid 2>/dev/null" || fail "EXIT did not end the program"

echo hello > "$WORK/notes.txt"
start_tarvelo "$(winpath "$WORK/notes.txt")"
pid=$LAST_PID
wait_for 15 bash -c "! kill -0 $pid 2>/dev/null" || fail "a text file did not end the program"
[ "$(ls "$WORK")" = "notes.txt" ] || fail "files were written: $(ls "$WORK")"
echo "startup_exit passed"
