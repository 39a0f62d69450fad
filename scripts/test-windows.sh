#!/usr/bin/env bash
# `make test`'s Windows part: the tests of every architecture this machine
# can run, and one line that says which ran and why (also kept in
# build/windows-tests.txt for the end of make test).
#  - win64: every Windows test, under 64-bit Wine, always;
#  - win32: every Windows test under 32-bit Wine where the machine runs
#    32-bit code natively (scripts/ia32.sh); elsewhere a smoke run of the two
#    32-bit programs that ship, under qemu-user's emulation
#    (tests/e2e/emulated_smoke.sh), or, where no emulation can be had, a
#    word that says so.
# VELMORA_64BIT_ONLY=1 takes the way of a machine without 32-bit code.
#   test-windows.sh --check-log   checks that all this script prints reaches
#   a log that standard output and error share (make test >log 2>&1) after
#   what was written there before: a copy of it runs in a scratch tree, with
#   stand-ins for the Wine tests, the 32-bit probe and the smoke run.
set -uo pipefail
if [ "${1:-}" = --check-log ]; then
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  mkdir -p "$scratch/scripts" "$scratch/tests/e2e" "$scratch/build"
  cp "$0" "$scratch/scripts/test-windows.sh"
  stand_in() { printf '#!/bin/sh\n%s\n' "$2" >"$scratch/$1" && chmod +x "$scratch/$1"; }
  stand_in scripts/ia32.sh 'printf "none\tstand-in\n"'
  stand_in scripts/wine-session.sh 'echo "win64 tests: passed"'
  stand_in tests/e2e/emulated_smoke.sh 'echo "emulated smoke: done"'
  { echo "printed before"; bash "$scratch/scripts/test-windows.sh"; } >"$scratch/log" 2>&1
  printf '%s\n' "printed before" "win64 tests: passed" "emulated smoke: done" \
    "Windows tests: win64 in full; win32 as a smoke run of velmora.exe and velmora-cli.exe under qemu-user (stand-in)" |
    cmp -s - "$scratch/log" || { echo "test-windows.sh: the shared log holds:"; cat -v "$scratch/log"; exit 1; }
  echo "test-windows.sh: the shared log holds everything, in order"
  exit 0
fi
cd "$(dirname "$0")/.."
IFS=$'\t' read -r ia32 why < <(scripts/ia32.sh --why)
summary=build/windows-tests.txt
rm -f "$summary"

status=0
scripts/wine-session.sh build/win64 ctest --preset win64 || status=1
if [ "$ia32" = native ]; then
  scripts/wine-session.sh build/win32 ctest --preset win32 || status=1
  line="Windows tests: win64 and win32 in full ($why)"
else
  # Its lines go to standard error as they come, through the descriptor
  # (/dev/stderr, opened by name, would open a log file anew and cut off
  # what it held), and to a file for the line below.
  tests/e2e/emulated_smoke.sh build/win32 build/win64 | tee build/emulated-smoke.txt >&2 || status=1
  smoke=$(<build/emulated-smoke.txt)
  case "$smoke" in
    *"skipped:"*) what="win32 not run: ${smoke##*skipped: }" ;;
    *) what="win32 as a smoke run of velmora.exe and velmora-cli.exe under qemu-user" ;;
  esac
  line="Windows tests: win64 in full; $what ($why)"
fi
[ $status = 0 ] || line="$line: FAILED"
echo "$line" | tee "$summary"
exit $status
