#!/usr/bin/env bash
# `make run`: starts velmora.exe under Wine on the user's display. With no
# display it runs it on Xvfb, saves a screenshot, prints the PNG's path and
# closes the program. Program arguments: make run ARGS=2030
# It runs the build the machine runs natively: the 32-bit one, or the 64-bit
# one where the machine runs no 32-bit code (or VELMORA_64BIT_ONLY=1).
set -euo pipefail
cd "$(dirname "$0")/.."
IFS=$'\t' read -r ia32 why < <(scripts/ia32.sh --why)
arch=win32 && [ "$ia32" = native ] || arch=win64
echo "run: build/$arch/velmora.exe ($why)"
if [ -n "${DISPLAY:-}" ]; then
  # A prefix of its own without a virtual desktop: the window is an
  # ordinary window on the user's desktop.
  exec scripts/wine-run.sh --arch $arch --prefix "$PWD/build/$arch/wineprefix-run" --desktop none \
    --timeout 86400 "build/$arch/velmora.exe" ${ARGS:-}
fi
VELMORA_BUILD=build/$arch scripts/screenshot.sh build/screenshots/velmora.png window ${ARGS:-}
