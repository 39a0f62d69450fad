#!/usr/bin/env bash
# Installs what the build, the tests and `make run` need on Debian 12, and does
# nothing when everything is already there. Run as root (or with sudo present).
set -euo pipefail

need=(
  cmake make g++ git
  g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine32:i386 wine64
  xvfb xauth x11-apps x11-utils imagemagick fonts-liberation fonts-wine
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  procps qemu-user
  wixl unzip dpkg-dev lintian help2man man-db
  msitools faketime strip-nondeterminism python3-pefile diffoscope-minimal locales
  osslsigncode openssl
  python3-icalendar hyperfine
  fish zsh
  gettext python3
  pkg-config valgrind
)

missing=()
for p in "${need[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# ImageMagick's `import` (screenshots) is the real tool only when the package is in.
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "deps: installing ${missing[*]}" >&2
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
