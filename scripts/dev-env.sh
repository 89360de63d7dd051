# For a developer's shell: `source scripts/dev-env.sh` starts (once) the
# private display and Wine server of build/ and exports what ctest needs.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
source "$here/scripts/wine-env.sh"
if [ -f "$BUILD_ROOT/.dev-display" ] && xdpyinfo -display "$(cat "$BUILD_ROOT/.dev-display")" >/dev/null 2>&1; then
  export DISPLAY="$(cat "$BUILD_ROOT/.dev-display")"
  wineserver -p >/dev/null 2>&1 || true
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
else
  wine_env_start
  echo "$DISPLAY" > "$BUILD_ROOT/.dev-display"
fi
