#!/usr/bin/env bash
# Builds the benchmark program (32-bit product build) and prints every figure
# beside its goal, plus the size of Tarvelo.exe. An argument filters cases.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
bash "$here/scripts/setup.sh"
dir="$BUILD_ROOT/bench-i686"
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" \
    -DTARVELO_BENCH=ON -DTARVELO_TESTS=OFF >/dev/null
fi
cmake --build "$dir" -j2 -- --no-print-directory >/dev/null
source "$here/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
wine "$dir/bench/tarvelo_bench.exe" "$@" | tr -d '\r'
size=$(stat -c %s "$dir/Tarvelo.exe")
echo "| Tarvelo.exe size (i686, static) | $((size / 1024)) KiB | one file, no DLL |"
