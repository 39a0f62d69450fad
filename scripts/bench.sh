#!/usr/bin/env bash
# `make bench`: the native benchmarks (Google Benchmark), then the sizes of
# the Windows programs, then their start-up time under Wine.
#   bench.sh [BENCHMARK OPTIONS...]   e.g. --benchmark_filter=GetEasterDay
set -euo pipefail
cd "$(dirname "$0")/.."

bench=build/native/bench/velmora_bench
if [ ! -x "$bench" ]; then
  echo "bench: $bench is not built (make native)" >&2
  exit 1
fi

echo "== Benchmarks (ns per call)"
"$bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true "$@"

echo
echo "== Sizes of the Windows programs"
for exe in build/win32/velmora.exe build/win32/velmora-cli.exe; do
  if [ -f "$exe" ]; then
    printf '%-30s %9d bytes\n' "$exe" "$(stat -c %s "$exe")"
  else
    printf '%-30s %s\n' "$exe" "not built"
  fi
done

# ---------------------------------------------------------------------------
# START-UP TIMING UNDER WINE
# The timing of velmora.exe's start-up under Wine goes here.
# ---------------------------------------------------------------------------
