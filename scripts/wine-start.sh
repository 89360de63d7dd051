#!/usr/bin/env bash
# How ctest starts a test program: under Wine. Now and then Wine's loader
# fails to start a program at all, before its first instruction, and says
# so ("Application could not be started, … ShellExecuteEx failed"). That
# start, and only that, is tried once more: nothing of the program has run.
# (ctest reads the program's two outputs as one anyway.)
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
for try in 1 2; do
  wine "$@" 2>&1 | tee "$out"
  status=${PIPESTATUS[0]}
  [ "$status" -ne 0 ] && grep -qs '^Application could not be started' "$out" || exit "$status"
  [ "$try" = 2 ] || echo "== Wine did not start $1; once more"
done
exit "$status"
