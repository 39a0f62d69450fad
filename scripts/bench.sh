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
# Ten repetitions, their median, on one CPU: on a shared machine single runs
# vary by a third.
pin=()
if command -v taskset >/dev/null && [ "$(nproc)" -gt 1 ]; then pin=(taskset -c 1); fi
"${pin[@]}" "$bench" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true "$@"

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
# From just before CreateProcess to a visible window, velmora.exe (1990: no
# box) against its floor (the least program that makes the same window) and
# a bare window, 40 runs each, interleaved; then the floor step by step from
# the bare window (the breakdown).
# ---------------------------------------------------------------------------
echo
echo "== Start-up under Wine"
startup_exes=(build/win32/startup_bench.exe build/win32/velmora.exe
              build/win32/floor_window.exe build/win32/bare_window.exe)
startup_ok=1
for exe in "${startup_exes[@]}"; do
  [ -f "$exe" ] || { echo "bench: $exe is not built (make win32)" >&2; startup_ok=0; }
done
if [ "$startup_ok" = 1 ]; then
  uptime
  scripts/wine-session.sh build/win32 scripts/wine-run.sh --prefix build/win32/wineprefix \
    "${startup_exes[@]}" --breakdown
  uptime
fi
# ---------------------------------------------------------------------------
# END OF START-UP TIMING UNDER WINE
# ---------------------------------------------------------------------------
