#!/usr/bin/env bash
# `make bench`: the native benchmarks (Google Benchmark), GetEasterDay's
# instructions a call (callgrind), velmora-cli writing every feast of every
# year as one calendar, the sizes of the Windows programs, then their
# start-up time under Wine.
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

# Instructions a call, counted by callgrind: the same from run to run
# whatever else the machine runs, so that one change of the computation
# compares with another. Inclusive: the library's inlined code counts. The
# callgrind file's call lines give, for each caller, the calls and their
# whole cost.
echo
echo "== GetEasterDay, instructions a call (callgrind)"
if command -v valgrind >/dev/null; then
  profile=$(mktemp)
  for method in 1 2 3; do
    valgrind --tool=callgrind --callgrind-out-file="$profile" "$bench" \
      --benchmark_filter="GetEasterDay/method:$method/" --benchmark_min_time=0.01 >/dev/null 2>&1
    awk -v method=$method '
      function named(s,   id) {  # "(id) name" names id; "(id)" alone refers to it
        if (!match(s, /^\([0-9]+\)/)) return s
        id = substr(s, 2, RLENGTH - 2)
        if (length(s) > RLENGTH) names[id] = substr(s, RLENGTH + 2)
        return names[id]
      }
      /^fn=/ { named(substr($0, 4)) }
      /^cfn=/ { callee = named(substr($0, 5)) }
      /^calls=/ { split(substr($0, 7), c, " "); getline
                  if (callee ~ /bas_Computus::GetEasterDay/) { calls += c[1]; cost += $2 } }
      END { printf "method %d: %.1f instructions a call (%d calls)\n", method, cost / calls, calls }' "$profile"
  done
  rm -f "$profile"
else
  echo "bench: valgrind is not installed (scripts/deps.sh)" >&2
fi

# The whole process, from start to exit, its output read through a pipe:
# the median of 30 runs after 3 to warm up (hyperfine).
echo
echo "== velmora-cli --format ics --feast all 1583..4099 (32,721 events), whole process"
if command -v hyperfine >/dev/null; then
  runs=$(mktemp)
  hyperfine -N --style none --warmup 3 --runs 30 --output=pipe --export-json "$runs" \
    "build/native/velmora-cli --format ics --feast all 1583..4099" >/dev/null
  /usr/bin/python3 -c 'import json, sys
r = json.load(open(sys.argv[1]))["results"][0]
print("median %.1f ms (min %.1f, max %.1f) over %d runs"
      % (r["median"] * 1e3, r["min"] * 1e3, r["max"] * 1e3, len(r["times"])))' "$runs"
  rm -f "$runs"
else
  echo "bench: hyperfine is not installed (scripts/deps.sh)" >&2
fi

echo
echo "== Sizes of the Windows programs, as they ship (stripped)"
for exe in build/win{32,64}/velmora.exe build/win{32,64}/velmora-cli.exe; do
  if [ -f "$exe.map" ]; then
    python3 scripts/size-report.py "$exe"
  else
    echo "$exe: not built"
  fi
done
# What each language's table of texts adds (the same in both builds).
for rc in build/win64/generated/velmora_texts.rc build/win64/generated/velmora-cli_texts.rc; do
  if [ -f "$rc" ]; then
    echo "$(basename "$rc" _texts.rc), bytes per language: $(sed -n 's/^ \* Bytes per language: //p' "$rc")"
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
# Each architecture against the floor built for it; win32 only where the
# machine runs 32-bit code natively (under emulation timing means nothing).
archs=(win64)
[ "$(scripts/ia32.sh)" != native ] || archs=(win32 win64)
for arch in "${archs[@]}"; do
  build=build/$arch
  startup_exes=($build/startup_bench.exe $build/velmora.exe $build/floor_window.exe $build/bare_window.exe)
  startup_ok=1
  for exe in "${startup_exes[@]}"; do
    [ -f "$exe" ] || { echo "bench: $exe is not built (make $arch)" >&2; startup_ok=0; }
  done
  if [ "$startup_ok" = 1 ]; then
    echo "-- $arch"
    uptime
    scripts/wine-session.sh $build scripts/wine-run.sh --arch $arch --prefix $build/wineprefix \
      "${startup_exes[@]}" --breakdown
    uptime
  fi
done
# ---------------------------------------------------------------------------
# END OF START-UP TIMING UNDER WINE
# ---------------------------------------------------------------------------
