#!/usr/bin/env bash
# Linked rows across three running instances: Mitte's row 01 links to
# column B of Haushalt, Ende's row 01 to column C of Mitte, where that row
# counts. A price typed but not saved in Haushalt reaches Mitte and, through
# Mitte's sum, Ende; when Haushalt ends without saving, both show the saved
# price again.
source "$(dirname "$0")/lib.sh"
GOODS_01=1000
PRICE_01=1020

doc "$WORK/Haushalt.pgx" '[LISTE]' 'Ware 01=Brot' 'Preis01=10.00' '[B]' 'Name=Lebensmittel' 'Summe=10.00' \
  '[BUTTONS]' 'B=10000000000000000000'
doc "$WORK/Mitte.pgx" '[C]' 'Name=Weiter' '[BUTTONS]' 'C=10000000000000000000' \
  '[SHARED]' "File 01=$(winpath "$WORK/Haushalt.pgx")" 'Column=1///////////////////'
doc "$WORK/Ende.pgx" '[BUTTONS]' 'A=10000000000000000000' \
  '[SHARED]' "File 01=$(winpath "$WORK/Mitte.pgx")" 'Column=2///////////////////'
saved=$(md5sum < "$WORK/Haushalt.pgx")

# Haushalt last: until it runs, its saved document answers; its window
# lies on top for typing.
start Ende "$WORK/Ende.pgx"
start Mitte "$WORK/Mitte.pgx"
expect Mitte $PRICE_01 10.00 "Mitte, Haushalt not running"
expect Mitte $GOODS_01 "[B] - [Haushalt]--> Lebensmittel" "Mitte's linked goods"
[ "$(probe enabled "$(title Mitte)" $GOODS_01)$(probe enabled "$(title Mitte)" $PRICE_01)" = 00 ] \
  || fail "a linked edit is enabled"
expect Ende $PRICE_01 10.00 "Ende, through Mitte"
expect Ende $GOODS_01 "[C] - [Mitte]--> Weiter" "Ende's linked goods"
start Haushalt "$WORK/Haushalt.pgx"
wait_for test -f "$WORK/Haushalt.pgw" || fail "Haushalt publishes nothing"

aim Haushalt
click 261 52
xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 20 25.50
expect Mitte $PRICE_01 25.50 "the unsaved price in Mitte"
expect Ende $PRICE_01 25.50 "the unsaved price in Ende"

# Haushalt's companion file goes as soon as the question shows.
click 46 548
wait_for has_window Tarvelo || fail "no save question"
[ ! -f "$WORK/Haushalt.pgw" ] || fail "companion file kept during the question"
answer 7
wait_for ended Haushalt || fail "Haushalt did not end"
[ "$(md5sum < "$WORK/Haushalt.pgx")" = "$saved" ] || fail "Haushalt was written"
[ ! -f "$WORK/Haushalt.pgw" ] || fail "Haushalt's companion file left behind"
expect Mitte $PRICE_01 10.00 "the saved price in Mitte"
expect Ende $PRICE_01 10.00 "the saved price in Ende"

# The link ticks left Mitte's document unmodified: EXIT asks nothing.
aim Mitte
click 46 548
wait_for ended Mitte || fail "Mitte asked or did not end"
[ ! -f "$WORK/Mitte.pgw" ] || fail "Mitte's companion file left behind"
echo "links passed"
