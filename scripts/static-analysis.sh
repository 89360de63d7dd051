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
# The compile commands of the product sources, without building anything
# (clang's own warnings are not GCC's: they stay warnings here).
adir="$BUILD_ROOT/analysis"
cmake -S "$here" -B "$adir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-i686.cmake" \
  -DTARVELO_TESTS=OFF -DTARVELO_WERROR=OFF -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
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
# A source passed before is checked again only when it, any header of the
# project, the checks or the compile commands changed since.
stamps="$adir/tidy/passed"
context=$(cat src/*/*.h .clang-tidy "$adir/tidy/compile_commands.json" | md5sum | cut -d' ' -f1)
[ "$(cat "$stamps/context" 2>/dev/null)" = "$context" ] || rm -rf "$stamps"
mkdir -p "$stamps"
echo "$context" > "$stamps/context"
todo=()
for source in src/*/*.cpp; do
  sum=$(md5sum "$source" | cut -d' ' -f1)
  [ -f "$stamps/$sum" ] || todo+=("$source")
done
echo "   ${#todo[@]} of $(ls src/*/*.cpp | wc -l) sources changed since they last passed"
tidy_one() {
  local out
  out=$(clang-tidy --quiet -p "$1" "$3" 2>&1 | grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^Use -system-headers')
  if [ -z "$out" ]; then touch "$2/$(md5sum "$3" | cut -d' ' -f1)"; else echo "$out"; return 1; fi
}
export -f tidy_one
if [ ${#todo[@]} -gt 0 ]; then
  printf '%s\n' "${todo[@]}" | xargs -P2 -I{} bash -c 'tidy_one "$0" "$1" {}' "$adir/tidy" "$stamps" || status=1
fi

if [ $status -eq 0 ]; then
  echo "static analysis: no findings"
else
  echo "static analysis: findings above" >&2
fi
exit $status
