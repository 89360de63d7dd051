# Sourced by the scripts: a private Wine prefix inside the build folder set
# up to lay dialogs out as Windows does, a private X display, and one
# persistent wineserver. Call wine_env_start, then wine_env_stop at the end.
# Needs BUILD_ROOT. Stops the calling script if the way cannot be chosen.

source "$(dirname "${BASH_SOURCE[0]}")/way.sh"
way_init || return 1
# The 64-bit loader sets up a prefix without 32-bit Windows: a folder of
# its own, so that switching ways never hands one the other's prefix.
if [ "$WAY_LOADER" = wine64 ]; then
  export WINEPREFIX="$BUILD_ROOT/wineprefix-x86_64"
else
  export WINEPREFIX="$BUILD_ROOT/wineprefix"
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEARCH=win64

wine_prefix_ready() { [ -f "$WINEPREFIX/.tarvelo-ready" ]; }

wine_prefix_setup() {
  wine_prefix_ready && return 0
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # A loader that cannot start says why here, not as a missing folder later.
  # (Into a file: Wine's services keep the output open long after.)
  local said="$BUILD_ROOT/.wineboot.log"
  if ! wineboot -u >"$said" 2>&1 </dev/null || ! wineserver -w || [ ! -d "$WINEPREFIX/drive_c/windows/Fonts" ]; then
    echo "Wine could not set up $WINEPREFIX with $WAY_LOADER; it said:" >&2
    cat "$said" >&2
    return 1
  fi
  # Wine's own fonts: "MS Sans Serif" then measures 6x13 per 4x8 dialog
  # units, as on Windows, instead of falling back to a wider font.
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  # No window manager here: unmanaged windows hide at once instead of
  # waiting for one; no crash dialog that would wait for a person.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.tarvelo-ready"
}

xvfb_start() {
  local fifo="$BUILD_ROOT/.xvfb-display"
  rm -f "$fifo"
  exec 9>"$fifo"
  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  exec 9>&-
  local i
  for i in $(seq 1 100); do
    [ -s "$fifo" ] && break
    sleep 0.05
  done
  export DISPLAY=":$(head -n1 "$fifo")"
}

wine_env_start() {
  xvfb_start
  wine_prefix_setup || return 1
  wineserver -p >/dev/null 2>&1 || true
  # Every run starts at 96 dpi, whatever a screenshot run killed at
  # another dpi left in the prefix. Wine's services start with
  # this first program and keep its output open: it writes nowhere.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 </dev/null || true
  if [ -n "${KEEPER_EXE:-}" ] && [ -f "$KEEPER_EXE" ]; then
    wine "$KEEPER_EXE" >/dev/null 2>&1 &
    KEEPER_PID=$!
    disown "$KEEPER_PID"  # its end is no news
  fi
}

wine_env_stop() {
  [ -n "${KEEPER_PID:-}" ] && kill "$KEEPER_PID" 2>/dev/null
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  return 0
}
