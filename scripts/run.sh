#!/usr/bin/env bash
# `make run`: starts velmora.exe under Wine on the user's display. With no
# display it runs it on Xvfb, saves a screenshot, prints the PNG's path and
# closes the program. Program arguments: make run ARGS=2030
set -euo pipefail
cd "$(dirname "$0")/.."
exe=build/win32/velmora.exe
if [ -n "${DISPLAY:-}" ]; then
  # A prefix of its own without a virtual desktop: the window is an
  # ordinary window on the user's desktop.
  exec scripts/wine-run.sh --prefix "$PWD/build/win32/wineprefix-run" --desktop none \
    --timeout 86400 "$exe" ${ARGS:-}
fi
scripts/screenshot.sh build/screenshots/velmora.png window ${ARGS:-}
