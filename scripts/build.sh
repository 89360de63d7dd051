#!/usr/bin/env bash
# Configures and builds one target: i686 (the product) or x86_64.
# Usage: scripts/build.sh i686|x86_64 [extra cmake args]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
arch="${1:-i686}"; shift || true
BUILD_ROOT="${BUILD_ROOT:-$here/build}"
dir="$BUILD_ROOT/$arch"
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-$arch.cmake" "$@" >/dev/null
fi
cmake --build "$dir" -j2 -- --no-print-directory
