#!/usr/bin/env bash
# What only the real pointer shows: presses pass through static texts, group
# boxes and disabled edits to the window, an enabled edit keeps its own; and
# one real row drag.
source "$(dirname "$0")/lib.sh"
doc "$WORK/Haus.pgx" '[A]' 'Name=Miete' '[C]' 'Name=Strom'
doc "$WORK/Gesten.pgx" '[LISTE]' 'Ware 01=Brot' 'Ware 02=Milch' 'Ware 06=Obstsaft' '[B]' 'Name=Obst' '[E]' 'Name=Saft' \
  '[SHARED]' "File 03=$(winpath "$WORK/Haus.pgx")" 'Column=//0/////////////////'
start Gesten "$WORK/Gesten.pgx"
expect Gesten 1002 "[A] - [Haus]--> Miete" "linked row 03"
wait_for test -f "$WORK/Gesten.pgw" || fail "no companion file"
aim Gesten

# A double-click in row 06's enabled goods field (y 156..175) selects its
# word; reaching the window it would delete the companion file.
click 100 165 2
selected() { [ "$(probe sel "$(title Gesten)" 1005)" = "0 8" ]; }
wait_for selected || fail "the edit did not select its word: $(probe sel "$(title Gesten)" 1005)"
[ -f "$WORK/Gesten.pgw" ] || fail "the double-click reached the window"

# Linked row 03's goods field (y 88..107) is disabled: the double-click's two
# releases reach the window and step the link twice.
click 100 97 2
expect Gesten 1002 "[C] - [Haus]--> Strom" "the link after a double-click"

# Row labels (x 14..33) are static texts: row 01 (y 41..61) onto row 02.
drag 24 51 24 74
expect Gesten 1000 Milch "row 01 after the drag"
expect Gesten 1001 Brot "row 02 after the drag"

# Over the group box captions and "Auswahl :" texts: column header B
# (x 368..421, y 6..39) onto header E (x 566..619).
drag 395 23 593 23
expect Gesten 1181 Saft "column B's name after the drag"
expect Gesten 1184 Obst "column E's name after the drag"
echo "gestures passed"
