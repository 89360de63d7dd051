#!/usr/bin/env bash
# Counts the lines that hold code: the program (src/ and res/Tarvelo.rc)
# against its tests (the C++ and shell files under tests/; data files such
# as sample documents are not counted), and the ratio of the two.
# Blank lines and comments do not count: // lines and /* */ blocks in C++
# and the resource script, # lines in shell (the #! line counts).
# Usage: scripts/count-lines.sh
set -euo pipefail
export LC_ALL=C
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"

# count FILE...: the code lines of the given files together.
count() {
  [ $# -eq 0 ] && { echo 0; return; }
  awk '
    FNR == 1 { block = 0; shell = FILENAME ~ /\.sh$/ }
    {
      line = $0
      sub(/^[ \t\r]+/, "", line); sub(/[ \t\r]+$/, "", line)
      if (shell) { if (line != "" && (line !~ /^#/ || line ~ /^#!/)) n++; next }
      if (block) {
        end = index(line, "*/")
        if (!end) next
        block = 0
        line = substr(line, end + 2); sub(/^[ \t]+/, "", line)
      }
      while (line ~ /^\/\*/) {
        end = index(substr(line, 3), "*/")
        if (!end) { block = 1; line = ""; break }
        line = substr(line, end + 4); sub(/^[ \t]+/, "", line)
      }
      if (line != "" && line !~ /^\/\//) n++
    }
    END { print n + 0 }' "$@"
}

mapfile -t code_files < <(find src -type f \( -name '*.cpp' -o -name '*.h' \) | sort; echo res/Tarvelo.rc)
mapfile -t test_files < <(find tests -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.sh' \) | sort)
code=$(count "${code_files[@]}")
tests=$(count "${test_files[@]}")
echo "code lines: $code (src/, res/Tarvelo.rc)"
echo "test lines: $tests (tests/, C++ and shell)"
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests/code: %.1f %%\n", c ? 100 * t / c : 0 }'
