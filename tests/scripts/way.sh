#!/usr/bin/env bash
# The choice of the way Wine is started and which builds run: every
# combination of what the machine can run and what TARVELO_ARCH asks.
set -uo pipefail
source "$(dirname "$0")/../../scripts/way.sh"
failed=0
# row NAME CAN_RUN_32 TARVELO_ARCH -> ARCHES LOADER REASON ("" for a refusal)
row() {
  local name="$1" can="$2" forced="$3" arches="$4" loader="$5" reason="$6" got
  WAY_ARCHES="" WAY_LOADER="" WAY_REASON=""
  if way_choose "$can" "$forced"; then got="$WAY_ARCHES|$WAY_LOADER|$WAY_REASON"; else got="refused||$WAY_REASON"; fi
  if [ "$got" = "$arches|$loader|$reason" ]; then echo "ok   $name"
  else echo "FAIL $name: '$got', not '$arches|$loader|$reason'"; failed=1; fi
}
row "32-bit machine"              yes                 ""     "i686 x86_64" wine   "this machine runs 32-bit programs"
row "64-bit-only machine"         "Exec format error" ""     x86_64        wine64 "this machine runs no 32-bit programs (Exec format error)"
row "32-bit machine, forced"      yes                 x86_64 x86_64        wine64 "TARVELO_ARCH=x86_64"
row "64-bit-only machine, forced" "Exec format error" x86_64 x86_64        wine64 "TARVELO_ARCH=x86_64"
row "an arch that cannot be forced" yes               i686   refused       ""     "TARVELO_ARCH=i686: only x86_64 can be chosen"

# The 64-bit way, asked for after another way was exported in the same
# shell, wins and says so; asked again the same, it is kept. It puts its
# loader first on the path, for wine and for the tools that go through
# wine-stable.
(
  unset TARVELO_WAY_ARCHES TARVELO_ARCH
  export BUILD_ROOT="$(mktemp -d)"
  trap 'rm -rf "$BUILD_ROOT"' EXIT
  way_init 2>/dev/null
  said="$(TARVELO_ARCH=x86_64 way_init 2>&1)"
  TARVELO_ARCH=x86_64 way_init 2>/dev/null
  again="$(TARVELO_ARCH=x86_64 way_init 2>&1)"
  here="$(cd "$(dirname "$0")/../../scripts" && pwd)"
  got="$WAY_LOADER $WAY_ARCHES $WAY_PRODUCT $WINELOADER $(command -v wine) $(command -v wine-stable) [$again]"
  want="wine64 x86_64 x86_64 /usr/lib/wine/wine64 $here/wine64/wine $here/wine64/wine-stable []"
  [ "$got" = "$want" ] || { echo "FAIL the 64-bit way: '$got', not '$want'"; exit 1; }
  case "$said" in *"(TARVELO_ARCH=x86_64, over the way chosen earlier in this shell)"*) ;;
    *) echo "FAIL the way line: '$said'"; exit 1 ;; esac
  echo "ok   the 64-bit way, also asked for after another"
) || failed=1
exit $failed
