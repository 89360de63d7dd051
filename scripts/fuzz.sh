#!/usr/bin/env bash
# The long run of the INI test (not part of the suite): the in-memory INI
# file against the platform's profile functions on CASES seeded random
# files and key writes instead of 200, compared byte for byte and read for
# read (a failure names its seed).
# Usage: scripts/fuzz.sh [CASES=20000]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cases="${1:-20000}"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
source "$here/scripts/way.sh"
way_init
bash "$here/scripts/setup.sh"
bash "$here/scripts/build.sh" "$WAY_PRODUCT" >/dev/null
source "$here/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start

echo "fuzz: INI seeds 1..$cases"
start=$SECONDS
status=0
TARVELO_INI_CASES="$cases" wine "$BUILD_ROOT/$WAY_PRODUCT/tests/tarvelo_tests.exe" --gtest_filter='DocumentIni.*' || status=$?
echo "fuzz: done in $((SECONDS - start)) s"
exit $status
