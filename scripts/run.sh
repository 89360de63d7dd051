#!/usr/bin/env bash
# Sets up what is missing, builds the product and starts Tarvelo.exe under
# Wine, in a prefix set up like the tests' one. Arguments go to the program
# (a document path). Uses the current display, or a virtual one.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
bash "$here/scripts/setup.sh"
bash "$here/scripts/build.sh" i686
source "$here/scripts/wine-env.sh"
if [ -z "${DISPLAY:-}" ]; then xvfb_start; echo "virtual display $DISPLAY"; fi
wine_prefix_setup
exec wine "$BUILD_ROOT/i686/Tarvelo.exe" "$@"
