#!/usr/bin/env bash
# Sets up what is missing, builds both targets and runs the whole suite
# under Wine on a private X display and a private Wine prefix.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
mkdir -p "$BUILD_ROOT"

bash "$here/scripts/setup.sh"
bash "$here/scripts/build.sh" i686
bash "$here/scripts/build.sh" x86_64

source "$here/scripts/wine-env.sh"
export KEEPER_EXE="$BUILD_ROOT/i686/tests/wine_keeper.exe"
trap wine_env_stop EXIT
wine_env_start

status=0
for arch in i686 x86_64; do
  echo "== $arch"
  ctest --test-dir "$BUILD_ROOT/$arch" --output-on-failure ${CTEST_ARGS:-} || status=1
done
exit $status
