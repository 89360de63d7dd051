#!/usr/bin/env bash
# Sets up what is missing, builds the program with the two files beside it
# (Tarvelo.pgk, Info_Help.doc; not the tests, so the window comes quickly)
# and starts Tarvelo.exe under Wine, in a prefix set up like the tests' one.
# Arguments go to the program (a document path). Uses the current display,
# or a virtual one.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
source "$here/scripts/way.sh"
way_init
bash "$here/scripts/setup.sh"
# The build folder scripts/build.sh uses: the tests build there later.
# The product where this machine runs it, else the 64-bit build.
dir="$BUILD_ROOT/$WAY_PRODUCT"
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$WAY_PRODUCT.cmake" >/dev/null
fi
cmake --build "$dir" -j2 --target Tarvelo help_document -- --no-print-directory
source "$here/scripts/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then
  xvfb_start
  trap 'kill "$XVFB_PID" 2>/dev/null' EXIT
  echo "virtual display $DISPLAY"
fi
wine_prefix_setup
wine "$dir/Tarvelo.exe" "$@"
