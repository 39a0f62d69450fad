#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (not through the CMake project,
# which uses g++) into build/fuzz/ and runs them:
#   fuzz.sh [SECONDS]       each target for SECONDS (default 60), starting from
#                           the seeds in fuzz/corpus/<target>/; what it finds
#                           grows build/fuzz/corpus/<target>/, the seeds stay
#   fuzz.sh --corpus-only   each target once over its seeds and what earlier
#                           runs found (the ctest `fuzz_corpus` does this)
# A crashing input is saved as build/fuzz/artifacts/<target>-crash-*; the
# script then exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=60
corpus_only=0
case "${1:-}" in
  --corpus-only) corpus_only=1 ;;
  "") ;;
  *[!0-9]* | 0) echo "usage: fuzz.sh [SECONDS | --corpus-only]" >&2; exit 2 ;;
  *) seconds=$1 ;;
esac

cxx=${CLANGXX:-clang++}
command -v "$cxx" >/dev/null || { echo "fuzz: $cxx not found (install clang and libclang-rt-14-dev)" >&2; exit 1; }

out=build/fuzz
gen=$out/generated
mkdir -p "$gen" "$out/artifacts"

# velmora_version.h as CMake makes it, from the one version in CMakeLists.txt;
# rewritten only when it changes, so the targets are not rebuilt for nothing.
version=$(sed -n 's/^set(VELMORA_FILE_VERSION "\([0-9.]*\)".*/\1/p' CMakeLists.txt)
IFS=. read -r major minor patch tweak <<<"$version"
sed -e "s/@PROJECT_VERSION_MAJOR@/$major/" -e "s/@PROJECT_VERSION_MINOR@/$minor/" \
    -e "s/@PROJECT_VERSION_PATCH@/$patch/" -e "s/@PROJECT_VERSION_TWEAK@/$tweak/" \
    -e "s/@PROJECT_VERSION@/$version/" cmake/velmora_version.h.in >"$gen/velmora_version.h.new"
if cmp -s "$gen/velmora_version.h.new" "$gen/velmora_version.h"; then
  rm "$gen/velmora_version.h.new"
else
  mv "$gen/velmora_version.h.new" "$gen/velmora_version.h"
fi

# The portable core the targets need: the runtime (not its win32 backend),
# the computation, the result sentence, and the console tool's parser.
core=(src/runtime/*.cpp src/computus/*.cpp src/ui/result_sentence.cpp)
declare -A sources=(
  [val16]="fuzz/fuzz_val16.cpp ${core[*]}"
  [cli_args]="fuzz/fuzz_cli_args.cpp src/cli/cli_args.cpp ${core[*]}"
)
targets=(val16 cli_args)

flags=(-std=c++20 -O1 -g -Wall -Wextra -fsanitize=fuzzer,address,undefined
       -fno-sanitize-recover=all -fno-omit-frame-pointer -Isrc -I"$gen")

build() {
  local name=$1 bin=$out/fuzz_$1
  # Up to date when nothing it could be built from is newer.
  if [ -x "$bin" ] && [ -z "$(find src fuzz "$gen" -newer "$bin" \
       \( -name '*.cpp' -o -name '*.hpp' -o -name '*.h' \) -print -quit)" ]; then
    return 0
  fi
  # shellcheck disable=SC2086
  "$cxx" "${flags[@]}" ${sources[$name]} -o "$bin.tmp" && mv "$bin.tmp" "$bin"
}

# Both targets at once: two cores.
pids=()
for t in "${targets[@]}"; do build "$t" & pids+=($!); done
failed=0
for p in "${pids[@]}"; do wait "$p" || failed=1; done
[ $failed -eq 0 ] || { echo "fuzz: building the targets failed" >&2; exit 1; }

status=0
for t in "${targets[@]}"; do
  bin=$out/fuzz_$t
  work=$out/corpus/$t
  log=$out/$t.log
  mkdir -p "$work"
  if [ $corpus_only -eq 1 ]; then
    args=(-runs=0)
  else
    args=(-max_total_time="$seconds" -timeout=10)
    [ ! -f "fuzz/$t.dict" ] || args+=(-dict="fuzz/$t.dict")
  fi
  set +e
  "$bin" "${args[@]}" -print_final_stats=1 -artifact_prefix="$out/artifacts/$t-" \
    "$work" "fuzz/corpus/$t" >"$log" 2>&1
  rc=$?
  set -e
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  inputs=$(find "fuzz/corpus/$t" "$work" -type f | wc -l)
  if [ $rc -eq 0 ]; then
    echo "fuzz $t: ${execs:-?} executions, $inputs corpus inputs, no failure"
  else
    echo "fuzz $t: FAILED (exit $rc) after ${execs:-?} executions; log $log"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|fuzz_|.*runtime error)' "$log" | head -n 5 || true
    ls "$out/artifacts/$t-"* 2>/dev/null | head -n 3 || true
    status=1
  fi
done
exit $status
