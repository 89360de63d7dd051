#!/usr/bin/env bash
# The Windows Installer package, built from this build's files: installed
# for the user without a question, its .pgx command opens a document in the
# installed program, a newer version replaces it, and removing it leaves
# only the user's document behind.
source "$(dirname "$0")/lib.sh"
BIN="$(dirname "$EXE")"
GOODS_01=1000
# Wine would copy the Start menu entry into the Linux desktop's menus.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
PROFILE="$WINEPREFIX/drive_c/users/$(id -un)"
DIR="$PROFILE/AppData/Local/Programs/Tarvelo"
LNK="$PROFILE/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tarvelo.lnk"
TYPE='HKCU\Software\Classes\Tarvelo.Preisliste'
version="$(sed -n 's/^#define TARVELO_VERSION_STRING "\(.*\)"$/\1/p' "$BIN/generated/version.h")"
newer="$((${version%%.*} + 1)).0.0"
PKG="$(mktemp -d)"
for v in "$version" "$newer"; do
  bash "$(dirname "$0")/../../scripts/make-msi.sh" "$BIN" "$v" "$PKG/$v.msi" || fail "no package $v"
done

# The prefix is shared: whatever happens, the package and the test's
# document go again.
installed=""
trap 'cleanup; [ -z "$installed" ] || wine msiexec /x "$installed" /qn; rm -rf "$DIR" "$PKG"
  rmdir "$(dirname "$DIR")" 2>/dev/null || true' EXIT
install() { wine msiexec /i "$PKG/$1.msi" /qn || fail "msiexec /i $1: $?"; installed="$PKG/$1.msi"; }
value() { wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'; }
has_value() { [ "$(value "$1")" = "$2" ] || fail "$1: '$(value "$1")', not '$2'"; }
# NAME VERSION PUBLISHER of each entry of Tarvelo in the installed programs
# list: Wine writes even a per-user package's entry into HKLM (the view of
# the package's platform); one in HKCU would count as well.
listed() {
  for key in HKCU HKLM; do for view in 32 64; do
    wine reg query "$key\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s /reg:$view 2>/dev/null
  done; done | tr -d '\r' | awk '/^HKEY/ { if (n == "Tarvelo") print n, v, p; n = "" }
    $1 == "DisplayName" { n = $3 } $1 == "DisplayVersion" { v = $3 } $1 == "Publisher" { p = $3 }
    END { if (n == "Tarvelo") print n, v, p }' | sort -u
}

install "$version"
for f in Tarvelo.exe Info_Help.doc Tarvelo.pgk; do cmp -s "$BIN/$f" "$DIR/$f" || fail "$f not installed"; done
program="$(winpath "$DIR/Tarvelo.exe")"
tr -d '\0' < "$LNK" | grep -qaF "$program" || fail "Start menu entry without the program"
tr -d '\0' < "$LNK" | grep -qaF "$(winpath "$PROFILE/Documents")" || fail "Start menu entry not in Documents"
has_value 'HKCU\Software\Classes\.pgx' Tarvelo.Preisliste
has_value "$TYPE" Tarvelo-Preisliste
has_value "$TYPE\\DefaultIcon" "\"$program\",-129"
has_value "$TYPE\\shell\\open\\command" "\"$program\" \"%1\""
[ "$(listed)" = "Tarvelo $version Tarvelo" ] || fail "list entries: $(listed)"

# The registered command, as Explorer would run it on a document the user
# keeps in the program folder.
doc "$DIR/Haushalt.pgx" '[LISTE]' 'Ware 01=Brot' 'Preis01=2.50'
cp "$DIR/Haushalt.pgx" "$WORK/kept.pgx"
[[ "$(value "$TYPE\\shell\\open\\command")" =~ ^\"([^\"]+)\"\ \"%1\"$ ]]
EXE="${BASH_REMATCH[1]}" start Haushalt "$DIR/Haushalt.pgx"
expect Haushalt $GOODS_01 Brot "goods of the document"
wine "$PROBE" press "$(title Haushalt)" 1
wait_for ended Haushalt || fail "EXIT did not end the installed program"

install "$newer"
[ "$(listed)" = "Tarvelo $newer Tarvelo" ] || fail "list entries after the upgrade: $(listed)"

wine msiexec /x "$installed" /qn || fail "msiexec /x: $?"
installed=""
[ "$(ls -A "$DIR")" = Haushalt.pgx ] && cmp -s "$DIR/Haushalt.pgx" "$WORK/kept.pgx" || fail "left: $(ls -A "$DIR")"
[ ! -e "$LNK" ] || fail "the Start menu entry is left"
for key in 'HKCU\Software\Classes\.pgx' "$TYPE" 'HKCU\Software\Tarvelo'; do
  ! wine reg query "$key" >/dev/null 2>&1 || fail "$key is left"
done
[ -z "$(listed)" ] || fail "list entries after removal: $(listed)"
echo "install passed"
