#!/usr/bin/env bash
# Takes the pictures of README.md from the running program under Wine, on a
# private display: the main window with the sample document
# docs/screenshots/Haushalt.pgx (two of its rows linked to Urlaub.pgx), the
# row info dialog (a left double-click on the indicator square of row 09)
# and the column-pick dialog (a left double-click on row number 16, the
# file dialog answered with Urlaub.pgx); then the main window once more at
# 144 dpi (LogPixels of the private prefix, set back to 96 at the end).
# Nothing is saved: the program is ended at the end without a question.
# Usage: scripts/screenshots.sh [OUTDIR=docs/screenshots]
# TARVELO_EXE names another Tarvelo.exe to photograph than the one built.
# Writes main-window.png, row-info.png, column-pick.png, context-menu.png
# (Shift+F10 in the goods of row 09), printed-page.png (the list printed
# with Ctrl+P to a PDF queue of the script's own, its first page made a
# picture by pdftoppm) and main-window-144dpi.png; fails when a picture
# could not be taken (the others are kept).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
outdir="$(realpath -m "${1:-$here/docs/screenshots}")"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
source "$here/scripts/way.sh"
way_init
bash "$here/scripts/setup.sh"
bash "$here/scripts/build.sh" "$WAY_PRODUCT" >/dev/null
EXE="${TARVELO_EXE:-$BUILD_ROOT/$WAY_PRODUCT/Tarvelo.exe}"
PROBE="$BUILD_ROOT/$WAY_PRODUCT/tests/winprobe.exe"
source "$here/scripts/wine-env.sh"
source "$here/scripts/cups-env.sh"

WORK="$(mktemp -d)"
TARVELO_PID=""
# The screen's dots per inch, read by a program when it starts.
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || true
}
cleanup() {
  [ -n "$TARVELO_PID" ] && kill "$TARVELO_PID" 2>/dev/null
  set_dpi 96
  wine_env_stop
  cups_stop
  rm -rf "$WORK"
}
trap cleanup EXIT
cups_start || echo "screenshots: no printer queue, so no printed page: $CUPS_UNAVAILABLE" >&2
wine_env_start
mkdir -p "$outdir"

MAIN_TITLE="Tarvelo   -   Haushalt"
# Client coordinates (pixels) of the places the gestures need: the
# indicator square of row 09 and the row number 16 (rows "01".."20" are
# 22 or 23 pixels apart; the numbers are those the window is laid out with).
SQUARE_09_X=773;  SQUARE_09_Y=235
LABEL_16_X=24;    LABEL_16_Y=394
GOODS_09_X=100;   GOODS_09_Y=235
GOODS_14=1013     # goods edit of the linked row 14
TOTAL=1194

probe() { wine "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }
# wait_until SECONDS COMMAND...: polls until the command succeeds.
wait_until() {
  local end=$((SECONDS + $1)); shift
  until "$@"; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.2
  done
}
# X window of a visible top-level window whose title matches a pattern.
xwindow() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
has_xwindow() { [ -n "$(xwindow "$1")" ]; }
text_is() { [ "$(probe text "$MAIN_TITLE" "$1")" = "$2" ]; }
text_has() { probe text "$MAIN_TITLE" "$1" | grep -q -- "$2"; }
# Mouse away from the window, so no hover frame shows.
park_mouse() { xdotool mousemove 1270 1010; }
double_click() {
  local ox oy
  read -r ox oy < <(probe origin "$MAIN_TITLE")
  xdotool mousemove $((ox + $1)) $((oy + $2)) click --repeat 2 --delay 60 1
}
# shoot PATTERN FILE: a picture of one window, its frame included.
shoot() {
  import -window "$(xwindow "$1")" "$outdir/$2"
  echo "$outdir/$2"
}

# The sample documents, in the program's code page and line ends, the link
# pointing at the copy of Urlaub.pgx beside them.
windir="$(winepath -w "$WORK")"
for doc in Haushalt Urlaub; do
  sed "s|@DIR@|${windir//\\/\\\\}|" "$here/docs/screenshots/$doc.pgx" \
    | iconv -f UTF-8 -t CP1252 | sed 's/$/\r/' > "$WORK/$doc.pgx"
done

# start_main: the program with the household list, settled: the links
# have been read and the sums computed.
start_main() {
  (cd "$WORK" && exec wine "$EXE" "$windir\\Haushalt.pgx" >/dev/null 2>&1 </dev/null) &
  TARVELO_PID=$!
  wait_until 30 has_xwindow "^$MAIN_TITLE\$" || { echo "screenshots: the main window did not open" >&2; exit 1; }
  wait_until 20 text_is $TOTAL "859.17" || { echo "screenshots: the total did not settle" >&2; exit 1; }
  wait_until 10 text_has $GOODS_14 "Anreise" || true
  park_mouse
  sleep "${SHOT_DELAY:-1}"
}
stop_main() {
  kill "$TARVELO_PID" 2>/dev/null
  wait "$TARVELO_PID" 2>/dev/null || true
  TARVELO_PID=""
  wait_until 10 bash -c "! xdotool search --onlyvisible --name '^$MAIN_TITLE\$' >/dev/null 2>&1" || true
}

set_dpi 96
start_main
shoot "^$MAIN_TITLE\$" main-window.png

missing=()

# The row info dialog of row 09; closed again with Cancel (Escape).
double_click $SQUARE_09_X $SQUARE_09_Y
if wait_until 10 has_xwindow '^Info 09'; then
  park_mouse
  # The caret to the end of the text, which the dialog shows selected.
  xdotool key ctrl+End
  sleep 0.5
  shoot '^Info 09' row-info.png
  xdotool key Escape
  wait_until 10 bash -c "! xdotool search --onlyvisible --name '^Info 09' >/dev/null 2>&1" || true
else
  missing+=("row-info.png (no info dialog after a double-click on the square of row 09)")
fi

# The column-pick dialog: the file dialog first, answered with Urlaub.pgx,
# then the pick dialog, closed with Cancel so the row stays as it was.
before="$(xdotool search --onlyvisible --name '.' 2>/dev/null | sort)"
new_dialog() {
  comm -13 <(echo "$before") <(xdotool search --onlyvisible --name '.' 2>/dev/null | sort) \
    | while read -r w; do
        name="$(xdotool getwindowname "$w" 2>/dev/null)"
        [ -n "$name" ] && [ "$name" != "Default IME" ] && echo "$w"
      done | head -n1
}
has_new_dialog() { [ -n "$(new_dialog)" ]; }
double_click $LABEL_16_X $LABEL_16_Y
if wait_until 10 has_new_dialog; then
  sleep 0.5
  xdotool type --delay 20 "$windir\\Urlaub.pgx"
  xdotool key Return
  if wait_until 10 has_xwindow 'nschte Reihe !$'; then
    park_mouse
    sleep 0.5
    shoot 'nschte Reihe !$' column-pick.png
    xdotool key Escape
  else
    missing+=("column-pick.png (no column-pick dialog after choosing Urlaub.pgx)")
  fi
else
  missing+=("column-pick.png (no file dialog after a double-click on row number 16)")
fi

# The context menu of row 09, opened from the keyboard (Shift+F10) in its
# goods field: the window and the menu together, from the screen.
read -r ox oy < <(probe origin "$MAIN_TITLE")
xdotool mousemove $((ox + GOODS_09_X)) $((oy + GOODS_09_Y)) click 1
park_mouse
before="$(xdotool search --onlyvisible --name '' 2>/dev/null | sort)"
xdotool key shift+F10
menu_window() { comm -13 <(echo "$before") <(xdotool search --onlyvisible --name '' 2>/dev/null | sort) | head -n1; }
has_menu() { [ -n "$(menu_window)" ]; }
if wait_until 10 has_menu; then
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$(xwindow "^$MAIN_TITLE\$")")"
  left=$X top=$Y right=$((X + WIDTH)) bottom=$((Y + HEIGHT))
  eval "$(xdotool getwindowgeometry --shell "$(menu_window)")"
  [ $((X + WIDTH)) -gt $right ] && right=$((X + WIDTH))
  [ $((Y + HEIGHT)) -gt $bottom ] && bottom=$((Y + HEIGHT))
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$outdir/context-menu.png"
  echo "$outdir/context-menu.png"
  xdotool key Escape
else
  missing+=("context-menu.png (no menu after Shift+F10 in the goods of row 09)")
fi

# The printed page: Ctrl+P, the print dialog's OK, the PDF's first page.
print_dialog() { has_xwindow '^Drucken$' || has_xwindow '^Print$'; }
spooled() { [ -s "$CUPS_PDF" ] && [ -z "$(lpstat -o 2>/dev/null)" ]; }
if [ -n "${CUPS_SERVER:-}" ]; then
  rm -f "$CUPS_PDF"
  xdotool mousemove $((ox + GOODS_09_X)) $((oy + GOODS_09_Y)) click 1
  park_mouse
  xdotool key ctrl+p
  if wait_until 10 print_dialog && xdotool key Return && wait_until 60 spooled; then
    pdftoppm -r 60 -png -singlefile -f 1 "$CUPS_PDF" "$outdir/printed-page"
    echo "$outdir/printed-page.png"
  else
    missing+=("printed-page.png (no PDF from the queue after Ctrl+P)")
  fi
else
  missing+=("printed-page.png ($CUPS_UNAVAILABLE)")
fi

# The same window at 144 dpi: fonts, controls and the window's own
# drawing scale with the dialog units.
stop_main
set_dpi 144
start_main
shoot "^$MAIN_TITLE\$" main-window-144dpi.png
stop_main
set_dpi 96

if [ ${#missing[@]} -gt 0 ]; then
  printf 'screenshots: not made: %s\n' "${missing[@]}" >&2
  exit 1
fi
