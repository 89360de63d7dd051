#!/usr/bin/env bash
# Static analysis of src/, part of scripts/test.sh; fails on any finding.
#  - cppcheck with the Win32 settings (32-bit ANSI platform, Windows API
#    library), C++20, warnings, style, performance and portability; the few
#    findings let pass are in .cppcheck-suppressions, each with its reason.
#  - clang-tidy with the checks of .clang-tidy, compiling every source with
#    the flags CMake gives it, for the 32-bit MinGW-w64 target, against the
#    C++ and Windows headers of the cross compiler the product is built with.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
export BUILD_ROOT="${BUILD_ROOT:-$here/build}"
cd "$here"
status=0

echo "-- cppcheck $(cppcheck --version | sed 's/^Cppcheck //')"
cppcheck --platform=win32A --library=windows --std=c++20 \
  --enable=warning,style,performance,portability --error-exitcode=1 \
  --inline-suppr --suppressions-list=.cppcheck-suppressions \
  --quiet -I src src/ || status=1

echo "-- clang-tidy $(clang-tidy --version | sed -n 's/.*LLVM version \([0-9.]*\).*/\1/p')"
# The compile commands of the product sources, without building anything.
adir="$BUILD_ROOT/analysis"
cmake -S "$here" -B "$adir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" \
  -DTARVELO_TESTS=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
  -DCMAKE_CXX_USE_RESPONSE_FILE_FOR_INCLUDES=OFF >/dev/null
# The cross compiler's C++ library and MinGW-w64 header folders. Its own
# compiler folders (intrinsics, fixed headers) are GCC's; clang brings its own.
mapfile -t dirs < <(i686-w64-mingw32-g++-posix -xc++ -E -v /dev/null 2>&1 \
  | sed -n '/<\.\.\.> search starts here/,/End of search/s/^ //p' \
  | xargs -n1 realpath | grep -v -E '/lib/gcc/.*/include(-fixed)?$')
mkdir -p "$adir/tidy"
python3 - "$adir/compile_commands.json" "$adir/tidy/compile_commands.json" "${dirs[@]}" <<'PY'
import json, shlex, sys
source, target, *dirs = sys.argv[1:]
entries = []
for entry in json.load(open(source)):
    args = shlex.split(entry["command"])
    # clang knows only UTF-8 as the execution character set; the literals'
    # code page does not matter for the analysis.
    flags = [a for a in args[1:] if not a.startswith("-fexec-charset")]
    head = ["clang++", "--target=i686-w64-mingw32", "-nostdlibinc", "-nostdinc++",
            # GCC's gnu_printf format attribute, unknown to clang
            "-Wno-ignored-attributes"]
    head += ["-isystem" + d for d in dirs]
    entries.append({"directory": entry["directory"], "file": entry["file"],
                    "arguments": head + flags})
json.dump(entries, open(target, "w"), indent=1)
PY
log="$adir/tidy/clang-tidy.log"
ls src/*/*.cpp | xargs -P2 -n1 clang-tidy --quiet -p "$adir/tidy" >"$log" 2>&1 || status=1
grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^Use -system-headers' "$log" || true

if [ $status -eq 0 ]; then
  echo "static analysis: no findings"
else
  echo "static analysis: findings above" >&2
fi
exit $status
