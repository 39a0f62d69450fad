#!/usr/bin/env bash
# The two 32-bit programs that ship, on a machine that runs no 32-bit code
# of its own: 32-bit Wine runs under qemu-user's i386 emulation, and
#  - velmora-cli.exe 2026 prints the 2026 sentence;
#  - velmora.exe 1990 shows its window, without a box as that Easter has
#    passed, and exits 0 when it is closed (the 64-bit end-to-end driver's
#    year_behind_from_outside: the driver cannot read an emulated
#    program's memory, where the calendar's date is read).
# They run in a 64-bit prefix of their own, as 32-bit programs run on 64-bit
# Windows: only they and the prefix's own 32-bit set-up are emulated, every
# service of the prefix runs natively. (A 32-bit prefix, all of whose
# processes are emulated, took more than six minutes to make alone.)
# The emulator is registered in binfmt_misc for this run only: in a
# binfmt_misc of a user namespace of the run's own where the kernel allows
# one (the registration then ends with the run, whatever way it ends),
# otherwise in the system's, as root, removed again at exit. Where neither
# can be done it says why and succeeds: the 64-bit programs were tested.
# Under emulation a 32-bit Wine process takes a minute or more to start;
# each step has a time limit, ten minutes in all.
#   emulated_smoke.sh WIN32_BUILD WIN64_BUILD     (build/win32 build/win64)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:?usage: emulated_smoke.sh WIN32_BUILD WIN64_BUILD}" && pwd)
build64=$(cd "${2:?usage: emulated_smoke.sh WIN32_BUILD WIN64_BUILD}" && pwd)
mode=${3:-}
# English from the programs (Wine takes their language from the locale).
export LC_ALL=C.UTF-8 LANGUAGE=
say() { echo "emulated smoke: $*"; }
skip() { say "skipped: $*"; exit 0; }

qemu=$(command -v qemu-i386 || true)
binfmt=/proc/sys/fs/binfmt_misc
name=velmora-i386
# 32-bit x86 executables and shared objects (ELF class 1, machine 3).
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# register [fresh]: fresh mounts a binfmt_misc of the namespace's own even
# where the system's is mounted.
register() {
  if [ "${1:-}" = fresh ] || [ ! -e "$binfmt/register" ]; then
    mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || return 1
  fi
  [ -e "$binfmt/$name" ] && echo -1 >"$binfmt/$name"  # left by a run that was killed
  # F: the emulator is opened now, so it is found whatever the program's root.
  printf ':%s:M::%s:%s:%s:F' "$name" "$magic" "$mask" "$qemu" >"$binfmt/register" 2>/dev/null
}

if [ -z "$mode" ]; then
  [ -n "$qemu" ] || skip "qemu-i386 is not installed (Debian package qemu-user)"
  for f in "$build/velmora.exe" "$build/velmora-cli.exe" "$build64/e2e_driver.exe"; do
    [ -f "$f" ] || { say "$f is not built"; exit 1; }
  done
  if unshare --user --map-root-user --mount sh -c "mount -t binfmt_misc binfmt_misc $binfmt" 2>/dev/null; then
    say "qemu-i386 registered in the binfmt_misc of a user namespace of this run"
    exec unshare --user --map-root-user --mount --fork "$0" "$build" "$build64" --in-namespace
  fi
  [ "$(id -u)" = 0 ] || skip "not root, and this kernel has no binfmt_misc for a user namespace"
  mounted=0
  [ -e "$binfmt/register" ] || mounted=1
  trap '[ -e "$binfmt/$name" ] && echo -1 >"$binfmt/$name"; [ $mounted = 1 ] && umount "$binfmt"' EXIT
  register || skip "binfmt_misc cannot be used here"
  say "qemu-i386 registered in the system's binfmt_misc until this run ends"
  "$0" "$build" "$build64" --registered
  exit $?
fi

if [ "$mode" = --in-namespace ]; then
  register fresh || skip "the binfmt_misc of the user namespace cannot take the registration"
fi
# The emulator must now be what runs 32-bit programs.
if [ "$(VELMORA_64BIT_ONLY=0 bash "$root/scripts/ia32.sh")" != emulated ]; then
  say "qemu-i386 does not run 32-bit programs here"
  exit 1
fi

. "$root/scripts/xvfb.sh"
trap xvfb_stop EXIT
[ -n "${DISPLAY:-}" ] || xvfb_start || exit 1

work=$build/emulated-smoke
rm -rf "$work" && mkdir -p "$work"
wine=/usr/lib/wine/wine64
export WINEPREFIX=$work/wineprefix WINEARCH=win64 WINELOADER=$wine WINEDEBUG=-all
# No runtime-install prompts, no menu entries, no crash dialog: a crash
# ends the program.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
# Without a reserved address space Wine fails at random under qemu ("failed
# to map the shared user data").
export QEMU_RESERVED_VA=0xf7000000
export VELMORA_E2E_PATIENCE=240
start=$SECONDS
winpath() { echo "Z:$(realpath "$1" | sed 's|/|\\|g')"; }

timeout -k 10 300 "$wine" wineboot -i >"$work/wineboot.log" 2>&1
timeout -k 10 60 wineserver -w
if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
  say "the prefix's 32-bit part was not made (see $work/wineboot.log)"
  exit 1
fi
say "prefix made in $((SECONDS - start)) s"

# The two programs side by side: each spends its time starting up.
timeout -k 10 240 "$wine" "$build/velmora-cli.exe" 2026 >"$work/cli.out" 2>"$work/cli.err" &
cli=$!
timeout -k 10 270 "$wine" "$build64/e2e_driver.exe" year_behind_from_outside "$(winpath "$build/velmora.exe")" \
  >"$work/driver.log" 2>&1 &
driver=$!
wait $cli
cli_rc=$?
wait $driver
driver_rc=$?
timeout 30 wineserver -k 2>/dev/null

status=0
sentence=$(tr -d '\r' <"$work/cli.out")
if [ $cli_rc -eq 0 ] && [ "$sentence" = "In the year 2026, Easter holiday occurs in day 5, month 4." ]; then
  say "velmora-cli.exe 2026: $sentence"
else
  say "velmora-cli.exe 2026 FAILED: exit $cli_rc, printed '$sentence' $(head -c 300 "$work/cli.err")"
  status=1
fi
if [ $driver_rc -eq 0 ]; then
  say "velmora.exe 1990: its window showed the year; closed, it exited with 0"
else
  say "velmora.exe 1990 FAILED (driver exit $driver_rc): $(tr -d '\r' <"$work/driver.log" | tail -3)"
  status=1
fi
say "done in $((SECONDS - start)) s"
exit $status
