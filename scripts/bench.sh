#!/usr/bin/env bash
# Builds the benchmark program (the 32-bit product build; the 64-bit one
# where this machine runs no 32-bit programs) and prints every figure
# beside its goal, plus the size of Tarvelo.exe. An argument filters cases.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
source "$here/scripts/way.sh"
way_init
bash "$here/scripts/setup.sh"
dir="$BUILD_ROOT/bench-$WAY_PRODUCT"
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$WAY_PRODUCT.cmake" \
    -DTARVELO_BENCH=ON -DTARVELO_TESTS=OFF >/dev/null
fi
cmake --build "$dir" -j2 -- --no-print-directory >/dev/null
source "$here/scripts/wine-env.sh"
source "$here/scripts/cups-env.sh"
trap 'wine_env_stop; cups_stop' EXIT
# The print case prints to the run's own PDF queue, where there may be one.
cups_start || echo "== no printer queue: $CUPS_UNAVAILABLE"
wine_env_start
wine "$dir/bench/tarvelo_bench.exe" "$@" | tr -d '\r'
size=$(stat -c %s "$dir/Tarvelo.exe")
echo "| Tarvelo.exe size ($WAY_PRODUCT, static) | $((size / 1024)) KiB | one file, no DLL |"
