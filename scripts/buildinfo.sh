#!/usr/bin/env bash
# Writes BUILDINFO, what made the downloads, for a rebuild that wants the
# same bytes: the version, the commit time they carry (SOURCE_DATE_EPOCH),
# the Debian release, the Debian snapshot its packages came from where apt's
# sources name one, and the package and version of every compiler, library
# and tool whose output goes into the files (found through dpkg from the
# files the configured builds use). Run by make dist-files:
#   buildinfo.sh FILE
set -euo pipefail
cd "$(dirname "$0")/.."
out=$1
export LC_ALL=C

builds=()
for b in build/native build/win*; do [ ! -f "$b/CMakeCache.txt" ] || builds+=("$b"); done
[ ${#builds[@]} -gt 0 ] || { echo "buildinfo: no configured build" >&2; exit 1; }
# setting BUILD NAME: a tool the build found (its cache) or was given (its
# toolchain file, as CMake kept it for each language).
setting() {
  { sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt"
    sed -n "s/^set($2 \"\(.*\)\")\$/\1/p" "$1"/CMakeFiles/*/CMake*Compiler.cmake; } |
    awk 'NR == 1' | xargs -r sh -c 'command -v "$0"'
}

# The files that make the downloads' bytes: each build's compiler, the C++
# and C libraries it links in, its resource compiler, objcopy and strip;
# then the packaging tools.
files=()
for b in "${builds[@]}"; do
  cxx=$(setting "$b" CMAKE_CXX_COMPILER)
  files+=("$cxx")
  for library in libstdc++.a libstdc++.so libgcc.a libmsvcrt.a libc.so; do
    found=$("$cxx" -print-file-name=$library)
    [ "$found" = $library ] || files+=("$found")  # the name alone: not this compiler's
  done
  for tool in CMAKE_RC_COMPILER CMAKE_OBJCOPY CMAKE_STRIP; do files+=("$(setting "$b" $tool)"); done
done
for tool in cmake cpack dpkg-shlibdeps help2man gzip msgfmt msggrep wixl msibuild osslsigncode \
            strip-nondeterminism faketime; do
  files+=("$(command -v $tool || true)")
done
files+=(/usr/bin/python3 "$(/usr/bin/python3 -c 'import pefile; print(pefile.__file__)' 2>/dev/null || true)")

packages=$(for f in "${files[@]}"; do
  [ -n "$f" ] && [ -e "$f" ] || continue
  f=$(realpath "$f")
  # "package[:arch][, package...]: path"; a diversion's line names no owner.
  # dpkg may know a file of /usr/bin as /bin's.
  { dpkg-query -S "$f" 2>/dev/null || dpkg-query -S "${f#/usr}" 2>/dev/null || true; } |
    grep -v '^diversion ' | sed 's|: /.*||; s/, /\n/g'
done | grep . | sort -u)

version=$(sed -n 's/^#define VELMORA_FV_STRING "\(.*\)"/\1/p' "${builds[0]}/generated/velmora_version.h")
epoch=$(cat "${builds[0]}/source-date-epoch")
snapshots() {
  grep -rhoE 'snapshot\.debian\.org/archive/debian/[0-9]{8}T[0-9]{6}Z' /etc/apt/sources.list \
    /etc/apt/sources.list.d 2>/dev/null || true
}
snapshot=$(snapshots | sort -u | sed 's|.*/||' | paste -sd ' ')
none="not known (apt's sources name none)"
{
  echo "Velmora $version: the downloads and what made them"
  echo "SOURCE_DATE_EPOCH: $epoch ($(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S UTC'))"
  echo "Debian: $(cat /etc/debian_version 2>/dev/null || echo 'not Debian') ($(dpkg --print-architecture))"
  echo "Debian snapshot: ${snapshot:-$none}"
  echo "Packages:"
  # shellcheck disable=SC2086
  dpkg-query -W -f '  ${Package} ${Version} ${Architecture}\n' $packages
} >"$out"
