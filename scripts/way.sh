# Sourced by every script that builds or starts something under Wine: the
# one place that decides, once per run, how Wine is started and which
# builds run here.
#
# - A machine that runs 32-bit programs: Debian's wine, and both builds,
#   i686 (the product) and x86_64.
# - A machine that does not (its kernel has no IA-32 emulation): Wine 8 can
#   run no 32-bit Windows program there, and Debian's wine fails even for
#   64-bit ones; so the 64-bit loader, a prefix of its own, and the x86_64
#   build alone.
# - TARVELO_ARCH=x86_64 takes the second way on any machine.
#
# The choice is exported, so that the scripts a command calls keep it and
# only the command itself prints it. TARVELO_ARCH always wins: a way
# exported earlier in the same shell (by scripts/dev-env.sh, say) under
# another TARVELO_ARCH is chosen again.

# A 96-byte static 32-bit Linux program that exits with 42: it runs
# wherever the kernel runs 32-bit programs, whatever is installed.
way_probe_32() {
  local probe status dir="${BUILD_ROOT:-}"
  # In the build folder, where one is: /tmp may forbid running programs.
  [ -d "$dir" ] || dir="${TMPDIR:-/tmp}"
  probe="$(mktemp -p "$dir" .probe32.XXXXXX)" || { WAY_PROBE_SAID="no file for the probe in $dir"; return 1; }
  printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0\0\20\0\0\270\1\0\0\0\273\52\0\0\0\315\200' > "$probe"
  chmod +x "$probe"
  WAY_PROBE_SAID="$("$probe" 2>&1)" && status=0 || status=$?
  rm -f "$probe"
  [ "$status" = 42 ] && return 0
  # bash says why it could not start it ("Exec format error").
  WAY_PROBE_SAID="${WAY_PROBE_SAID##*: }"
  [ -n "$WAY_PROBE_SAID" ] || WAY_PROBE_SAID="exit $status"
  return 1
}

# way_choose CAN_RUN_32 FORCED_ARCH: the way for these facts, as
# WAY_ARCHES (the product first), WAY_LOADER (wine or wine64) and
# WAY_REASON. CAN_RUN_32 is "yes" or what the probe said instead.
way_choose() {
  case "$2" in
    x86_64) WAY_ARCHES=x86_64 WAY_LOADER=wine64 WAY_REASON="TARVELO_ARCH=x86_64"; return 0 ;;
    "") ;;
    *) WAY_REASON="TARVELO_ARCH=$2: only x86_64 can be chosen"; return 1 ;;
  esac
  if [ "$1" = yes ]; then
    WAY_ARCHES="i686 x86_64" WAY_LOADER=wine WAY_REASON="this machine runs 32-bit programs"
  else
    WAY_ARCHES=x86_64 WAY_LOADER=wine64 WAY_REASON="this machine runs no 32-bit programs ($1)"
  fi
}

# The way of this run: chosen and printed once, then taken from the
# environment. Sets PATH and WINELOADER for the 64-bit loader.
way_init() {
  local here
  here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
  local over=""
  if [ -n "${TARVELO_WAY_ARCHES:-}" ] && [ -n "${TARVELO_ARCH:-}" ] && [ "${TARVELO_ARCH}" != "${TARVELO_WAY_ASKED:-}" ]; then
    over=", over the way chosen earlier in this shell"
    unset TARVELO_WAY_ARCHES
  fi
  if [ -z "${TARVELO_WAY_ARCHES:-}" ]; then
    local can=yes
    way_probe_32 || can="$WAY_PROBE_SAID"
    way_choose "$can" "${TARVELO_ARCH:-}" || { echo "== $WAY_REASON" >&2; return 1; }
    export TARVELO_WAY_ARCHES="$WAY_ARCHES" TARVELO_WAY_LOADER="$WAY_LOADER" TARVELO_WAY_REASON="$WAY_REASON$over"
    export TARVELO_WAY_ASKED="${TARVELO_ARCH:-}"
    if [ "$WAY_LOADER" = wine ]; then
      echo "== Wine: Debian's wine, builds $WAY_ARCHES ($TARVELO_WAY_REASON)" >&2
    else
      echo "== Wine: the 64-bit loader, build x86_64 alone, i686 skipped ($TARVELO_WAY_REASON)" >&2
    fi
  fi
  WAY_ARCHES="$TARVELO_WAY_ARCHES" WAY_LOADER="$TARVELO_WAY_LOADER" WAY_REASON="$TARVELO_WAY_REASON"
  WAY_PRODUCT="${WAY_ARCHES%% *}"
  if [ "$WAY_LOADER" = wine64 ]; then
    case ":$PATH:" in *":$here/wine64:"*) ;; *) export PATH="$here/wine64:$PATH" ;; esac
    export WINELOADER=/usr/lib/wine/wine64
  fi
}
