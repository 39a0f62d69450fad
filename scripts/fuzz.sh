#!/usr/bin/env bash
# `make fuzz`: runs each libFuzzer target of the fuzz preset (built by the
# Makefile first) for SECONDS (default 60), from its seeds in
# fuzz/corpus/<target>/ and what earlier runs found in
# build/fuzz/corpus/<target>/, which grows. A crashing input is saved as
# build/fuzz/artifacts/<target>-crash-*; the script then exits non-zero.
#   fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
case "$seconds" in
  *[!0-9]* | 0 | "") echo "usage: fuzz.sh [SECONDS]" >&2; exit 2 ;;
esac

out=build/fuzz
mkdir -p "$out/artifacts"
status=0
for t in val16 cli_args; do
  log=$out/$t.log
  args=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
        -artifact_prefix="$out/artifacts/$t-")
  [ ! -f "fuzz/$t.dict" ] || args+=(-dict="fuzz/$t.dict")
  mkdir -p "$out/corpus/$t"
  if "$out/fuzz_$t" "${args[@]}" "$out/corpus/$t" "fuzz/corpus/$t" >"$log" 2>&1; then
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    echo "fuzz $t: ${execs:-?} executions, $(find "$out/corpus/$t" -type f | wc -l) inputs found so far, no failure"
  else
    echo "fuzz $t: FAILED; log $log"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" | head -n 5 || true
    status=1
  fi
done
exit $status
