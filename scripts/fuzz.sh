#!/usr/bin/env bash
# The long runs of the document tests (not part of the suite): the
# in-memory INI file against the platform's profile functions on seeded
# random files and key writes, compared byte for byte and read for read
# (a failure names its seed); and the decoding functions with twice CASES
# odd values.
# Usage: scripts/fuzz.sh [CASES=20000] [FIRST_SEED=1]
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

echo "fuzz: INI seeds $first..$((first + cases - 1)), $((20 * (cases / 10))) odd values"
start=$SECONDS
status=0
TARVELO_INI_CASES="$cases" TARVELO_INI_SEED="$first" TARVELO_MALFORMED_DOCUMENTS="$((cases / 10))" \
  wine "$BUILD_ROOT/i686/tests/tarvelo_tests.exe" --gtest_filter='DocumentIni.*:DocumentRobustness*' || status=$?
echo "fuzz: done in $((SECONDS - start)) s"
exit $status
