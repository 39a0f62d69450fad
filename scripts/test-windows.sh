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
set -uo pipefail
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
  smoke=$(tests/e2e/emulated_smoke.sh build/win32 build/win64 | tee /dev/stderr) || status=1
  case "$smoke" in
    *"skipped:"*) what="win32 not run: ${smoke##*skipped: }" ;;
    *) what="win32 as a smoke run of velmora.exe and velmora-cli.exe under qemu-user" ;;
  esac
  line="Windows tests: win64 in full; $what ($why)"
fi
[ $status = 0 ] || line="$line: FAILED"
echo "$line" | tee "$summary"
exit $status
