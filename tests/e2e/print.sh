#!/usr/bin/env bash
# Printing onto a real queue, as Linux users of Wine print: the run's own
# CUPS server with a PDF queue as the default printer. A known list is
# printed with Ctrl+P and the dialog's OK (the menu and the button are the
# in-process tests'); the PDF is read back as text and as a picture. A
# maximal list runs over pages; a queue that refuses jobs makes the program
# say so.
source "$(dirname "$0")/lib.sh"
BUILD_ROOT="${BUILD_ROOT:-$(cd "$(dirname "$EXE")/.." && pwd)}"
source "$(dirname "$0")/../../scripts/cups-env.sh"
cups_start || { echo "SKIPPED: $CUPS_UNAVAILABLE"; exit 77; }
trap 'cleanup; cups_stop' EXIT
BOUND=60
MESSAGE_TEXT=65535

# The print dialog's title in Wine's German or English.
dialog_shown() { has_window Drucken || has_window Print; }
spooled() { [ -s "$CUPS_PDF" ] && [ -z "$(lpstat -o "$CUPS_QUEUE" 2>/dev/null)" ]; }
# print_list NAME: prints the list in NAME's window with Ctrl+P and
# confirms the dialog with its default button, OK.
print_list() {
  rm -f "$CUPS_PDF"
  aim "$1"
  click 130 52
  xdotool key ctrl+p
  wait_for dialog_shown || fail "no print dialog"
  xdotool key Return
}
printed() { wait_for spooled || fail "no PDF from the queue: $(lpstat -W all -o 2>&1 | tail -2)"; }
text_of() { pdftotext -layout "$CUPS_PDF" - 2>/dev/null; }
pages_of() { pdfinfo "$CUPS_PDF" 2>/dev/null | awk '/^Pages:/ { print $2 }'; }

K=$'K\xe4se'
doc "$WORK/Wochenliste.pgx" '[LISTE]' "Ware 01=$K" 'Preis01=4.20' 'Ware 02=Brot' 'Preis02=2.10' 'Ware 03=Milch' \
  'Preis03=1.19' '[A]' 'Name=Markt' '[B]' 'Name=Drogerie' '[BUTTONS]' 'A=11000000000000000000' \
  'B=01000000000000000000' '[INFO]' 'Text02=Vom B|~|ckerladen' 'URN102=brot.txt'
start Wochenliste "$WORK/Wochenliste.pgx"
print_list Wochenliste
printed
text="$(text_of)"
for want in Wochenliste "Gedruckt am" "Käse" Brot Milch 4.20 2.10 1.19 Markt Drogerie 6.30 Summe \
    Insgesammt 7.49 "Vom B" ckerladen "Quelle 1: brot.txt" "Tarvelo – Seite 1 von 1"; do
  grep -qF -- "$want" <<<"$text" || fail "the printed page lacks '$want':"$'\n'"$text"
done
[ "$(pages_of)" = 1 ] || fail "$(pages_of) pages, not 1"

# The picture of the page: blank margins, a table wider than half the page.
pdftoppm -r 30 -gray -f 1 -l 1 "$CUPS_PDF" "$WORK/page"
python3 - "$WORK"/page*.pgm <<'PY' || fail "the picture of the page"
import sys
_, width, height, _, pixels = open(sys.argv[1], 'rb').read().split(maxsplit=4)
width, height = int(width), int(height)
ink = [(i % width, i // width) for i, v in enumerate(pixels[:width * height]) if v < 128]
edge = 10  # pixels at 30 dpi: 8.5 mm, inside the 15 mm the page keeps blank
inside = all(edge <= x < width - edge and edge <= y < height - edge for x, y in ink)
wide = max(x for x, _ in ink) - min(x for x, _ in ink) if ink else 0
print(f"page {width}x{height}, ink {len(ink)}, all inside the margins: {inside}, drawn across {wide}")
sys.exit(0 if ink and inside and wide > width / 2 else 1)
PY

# A maximal list: 20 rows of 259-character goods and names, 20 info texts
# of 2,399 characters, every page counted in its footer.
python3 - "$WORK/Lang.pgx" <<'PY'
import sys
long = lambda start, n: (start + " " + "Wort lang " * n)[:n]
lines = ["[LISTE]"] + [f"Ware {r:02d}={long(f'Ware{r:02d}', 259)}" for r in range(1, 21)]
lines += [f"Preis{r:02d}={r}.25" for r in range(1, 21)]
for c in "ABCDEFG":
    lines += [f"[{c}]", f"Name={long('Name' + c, 259)}"]
lines += ["[BUTTONS]"] + [f"{c}=" + "1" * 20 for c in "ABCDEFG"] + ["[INFO]"]
lines += [f"Text{r:02d}={long(f'Info{r:02d}', 1200)}|~|{long('Zweiter Absatz', 1196)}" for r in range(1, 21)]
open(sys.argv[1], "wb").write(("\r\n".join(lines) + "\r\n").encode("cp1252"))
PY
start Lang "$WORK/Lang.pgx"
print_list Lang
printed
pages="$(pages_of)"
[ "${pages:-0}" -gt 1 ] || fail "maximal: $pages pages"
text="$(text_of)"
for page in $(seq 1 "$pages"); do
  grep -qF "Seite $page von $pages" <<<"$text" || fail "maximal: no footer 'Seite $page von $pages'"
done
grep -qF "Info20" <<<"$text" || fail "maximal: the last info text is not printed"
# Each row on a line of its own, its goods cut before the price.
rows="$(pdftotext -layout -f 1 -l 1 "$CUPS_PDF" - | grep -cE '^(0[1-9]|1[0-9]|20) +Ware[0-9]{2} .*… +[0-9]+\.25')"
[ "$rows" = 20 ] || fail "maximal: $rows of the 20 rows read as a row"

# A queue that takes no jobs: the program says so, and the list stays.
cupsreject "$CUPS_QUEUE"
print_list Wochenliste
refused() { [ "$(probe text Tarvelo $MESSAGE_TEXT)" = "Die Liste konnte nicht gedruckt werden !" ]; }
wait_for refused || fail "a refused job: no message"
answer 1
cupsaccept "$CUPS_QUEUE"
echo "print passed"
