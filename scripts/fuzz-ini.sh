#!/usr/bin/env bash
# The long run of the in-memory INI file against the platform's profile
# functions (not part of the suite): seeded random files and key writes under
# Wine, compared byte for byte and read for read. A failure names its seed.
# Usage: scripts/fuzz-ini.sh [CASES=20000] [FIRST_SEED=1]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cases="${1:-20000}"
first="${2:-1}"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
bash "$here/scripts/setup.sh"
bash "$here/scripts/build.sh" i686 >/dev/null
source "$here/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start

echo "fuzz-ini: seeds $first..$((first + cases - 1))"
start=$SECONDS
status=0
TARVELO_INI_CASES="$cases" TARVELO_INI_SEED="$first" \
  wine "$BUILD_ROOT/i686/tests/tarvelo_tests.exe" --gtest_filter='DocumentIni.*' || status=$?
echo "fuzz-ini: $cases cases in $((SECONDS - start)) s"
exit $status
