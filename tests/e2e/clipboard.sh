#!/usr/bin/env bash
# The clipboard with a real X client: the list copied with its key is read
# by xclip as text and as HTML; a two-column range put there by xclip is
# pasted with Ctrl+V over rows 01 and 02, and the total follows.
source "$(dirname "$0")/lib.sh"
command -v xclip >/dev/null || { echo "SKIPPED: xclip is not installed"; exit 77; }
GOODS_01=1000 GOODS_02=1001 PRICE_01=1020 PRICE_02=1021 TOTAL=1194
doc "$WORK/Liste.pgx" '[LISTE]' 'Ware 01=Brot' 'Preis01=2.10' '[A]' 'Name=Obst' '[BUTTONS]' 'A=10000000000000000000'
start Liste "$WORK/Liste.pgx"
aim Liste
click 130 52
xdotool key ctrl+shift+l
copied() { xclip -selection clipboard -o 2>/dev/null | grep -q "^01	Brot	2[.,]10	x"; }
wait_for copied || fail "the text on the clipboard: $(xclip -selection clipboard -o 2>&1 | head -3)"
xclip -selection clipboard -o | grep -q "^Nr	Ware	Preis	A Obst" || fail "the text's header"
xclip -selection clipboard -o -t text/html | grep -q "<td>01</td><td>Brot</td>" || fail "the HTML table"

# xclip serves the range in the foreground until the test ends.
printf 'Milch\t1.50\nWurst\t2\n' | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
PID[xclip]=$!
# Ctrl+V before xclip holds the clipboard would paste the list copied above.
served() { xclip -selection clipboard -o 2>/dev/null | grep -q "^Milch	1.50"; }
wait_for served || fail "xclip did not take the clipboard"
click 130 52
xdotool key ctrl+v
expect Liste $GOODS_01 Milch "goods of row 01"
expect Liste $PRICE_02 2 "price of row 02"
expect Liste $GOODS_02 Wurst "goods of row 02"
expect Liste $PRICE_01 1.50 "price of row 01"
expect Liste $TOTAL 3.50 "the total"
echo "clipboard passed"
