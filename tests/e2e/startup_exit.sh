#!/usr/bin/env bash
# The real program starts untitled and takes typed goods and a price; EXIT
# asks whether to save, and "Ja" writes Unbenannt.pgx into its folder.
source "$(dirname "$0")/lib.sh"
TOTAL=1194

start Unbenannt
# The sums rest while the start-up animation plays.
expect Unbenannt $TOTAL 0.00 "total after the start-up animation"
aim Unbenannt
click 100 51
xdotool type --delay 20 Brot
click 261 52
xdotool type --delay 20 2.50
expect Unbenannt $TOTAL 2.50 "total of the typed price"
click 46 548
answer 6
wait_for ended Unbenannt || fail "EXIT did not end the program"
saved=$(tr -d '\r' < "$WORK/Unbenannt.pgx")
grep -qx 'Ware 01=Brot' <<<"$saved" && grep -qx 'Preis01=2.50' <<<"$saved" || fail "saved: $saved"
echo "startup_exit passed"
