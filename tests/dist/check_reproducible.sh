#!/usr/bin/env bash
# Checks that the downloads are reproducible: the sources of this tree, copied
# to another folder, make the same dist/ there with another time zone, locale
# and umask, at another time. Only what ships is built there (make
# dist-files after configuring the builds this tree has). Where the checksums
# differ, diffoscope shows where.
# Run from the repository root after `make dist` (make test-dist).
set -euo pipefail
cd "$(dirname "$0")/../.."
# The tools in English and the C locale, whatever the caller's.
export LC_ALL=C.UTF-8 LANGUAGE=
fail() { echo "check-reproducible: $*" >&2; exit 1; }
[ -s dist/SHA256SUMS ] || fail "no dist/SHA256SUMS: run make dist first"

work=$PWD/build/repro-check
other=$work/a-folder-of-another-name/velmora
rm -rf "$work" && mkdir -p "$other"
git ls-files -z -co --exclude-standard | tar -c --null -T - --ignore-failed-read | tar -x -C "$other"

# A locale unlike C in its collation, month names and messages, made into a
# folder of our own (Debian's locales package holds the definitions).
locale=de_DE.UTF-8
mkdir -p "$work/locale"
localedef -i de_DE -f UTF-8 "$work/locale/$locale" >/dev/null 2>&1 || true
[ -d "$work/locale/$locale" ] || fail "localedef could not make $locale"

# The same commit time as this tree's builds used.
epoch=$(cat build/native/source-date-epoch)
builds=$(for b in build/*/CMakeCache.txt; do b=$(dirname "$b"); [ ! -d "$b/dist" ] || basename "$b"; done)
[ -n "$builds" ] || fail "no build of this tree has a dist folder"
(
  cd "$other"
  umask 077
  export SOURCE_DATE_EPOCH=$epoch
  export TZ=Pacific/Kiritimati
  in_locale() { LOCPATH=$work/locale LC_ALL=$locale LANGUAGE=de "$@"; }
  for b in $builds; do in_locale cmake --preset "$b" >/dev/null || exit 1; done
  in_locale make --no-print-directory dist-files >"$work/dist.log" 2>&1
) || { tail -30 "$work/dist.log" >&2; fail "configuring or make dist-files failed in $other"; }

if ! diff -u dist/SHA256SUMS "$other/dist/SHA256SUMS"; then
  while read -r sum file; do
    grep -qxF "$sum  $file" "$other/dist/SHA256SUMS" && continue
    echo "check-reproducible: $file differs:"
    diffoscope --text - "dist/$file" "$other/dist/$file" | head -150 || true
  done <dist/SHA256SUMS
  fail "dist/ and $other/dist differ"
fi
echo "check-reproducible: $(grep -c . dist/SHA256SUMS) files the same, built in $other (TZ, LC_ALL=$locale, umask 077)"
