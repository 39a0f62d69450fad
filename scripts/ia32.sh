#!/usr/bin/env bash
# How this machine runs 32-bit x86 code, which 32-bit Wine needs:
#   native    the kernel runs it itself (its IA-32 emulation is on)
#   emulated  an emulator registered in binfmt_misc runs it in its stead
#   none      it does not run at all (the kernel log says "IA-32 emulation
#             off"; every 32-bit program fails with "Exec format error")
# It starts a small 32-bit program (ia32-probe.S) that prints the machine
# name the kernel gives it: a registered emulator answers for the processor
# it emulates, so it cannot pass for the kernel.
# VELMORA_64BIT_ONLY=1 answers none whatever the machine can do, so that the
# path of a 64-bit-only machine can be tried anywhere.
#   ia32.sh          prints the word
#   ia32.sh --why    prints the word and, after a tab, the reason in words
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# The reason in English (the shell's words for a failure), whatever the locale.
export LC_ALL=C.UTF-8 LANGUAGE=

answer() {
  if [ "${1:-}" = --why ]; then printf '%s\t%s\n' "$2" "$3"; else echo "$2"; fi
  exit 0
}

if [ "${VELMORA_64BIT_ONLY:-0}" = 1 ]; then
  answer "${1:-}" none "VELMORA_64BIT_ONLY=1 is set"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! as --32 -o "$work/probe.o" "$here/ia32-probe.S" 2>"$work/log" ||
   ! ld -m elf_i386 -o "$work/probe" "$work/probe.o" 2>>"$work/log"; then
  answer "${1:-}" none "the 32-bit probe could not be built: $(head -1 "$work/log")"
fi
machine=$("$work/probe" 2>"$work/log")
case "$machine" in
  x86_64) answer "${1:-}" native "this machine runs 32-bit code natively" ;;
  i?86) answer "${1:-}" emulated "32-bit code runs here only under an emulator registered in binfmt_misc" ;;
  *) answer "${1:-}" none "this machine runs no 32-bit code (IA-32 emulation off: $(head -1 "$work/log" | sed 's/.*: //'))" ;;
esac
