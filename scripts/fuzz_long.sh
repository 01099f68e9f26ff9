#!/usr/bin/env bash
# The long fuzz run: every target of fuzz/ (or those in FUZZ_TARGETS) taken to ten million inputs,
# one after another, then a table of inputs, seconds and inputs per second per target.
#   scripts/fuzz_long.sh [build dir] [work folder]     (defaults: build, fuzz-work)
#   FUZZ_RUNS=N  inputs per target (default 10000000)
# The work folder keeps the programs, the grown corpora, one log per target and any crash input
# (under crashes_<target>/). Run it at a low priority beside other work: nice -n 19.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
work=${2:-fuzz-work}
export FUZZ_RUNS=${FUZZ_RUNS:-10000000}
export FUZZ_WORK=$work
status=0
bash "$src/tests/e2e/fuzz_test.sh" "$build/bin" "$src" || status=$?

printf '%-18s %12s %9s %9s\n' target inputs seconds "inputs/s"
for log in "$work"/*.log; do
  target=$(basename "$log" .log)
  # libFuzzer ends a finished run with "Done <runs> runs in <seconds> second(s)".
  if read -r runs seconds < <(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 \2/p' "$log"); then
    printf '%-18s %12s %9s %9s\n' "$target" "$runs" "$seconds" $((runs / (seconds > 0 ? seconds : 1)))
  else
    printf '%-18s %12s\n' "$target" "unfinished"
  fi
done
exit "$status"
