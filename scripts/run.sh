#!/usr/bin/env bash
# `make run`: starts velmora.exe under Wine on the user's display. With no
# display it runs it on Xvfb, saves a screenshot, prints its path and closes
# the program. Arguments are passed to the program (make run ARGS=2030).
set -euo pipefail
cd "$(dirname "$0")/.."
exe=build/win32/velmora.exe
if [ ! -f "$exe" ]; then
  # Until the window program exists the console companion answers.
  exec scripts/wine-run.sh --prefix build/win32/wineprefix build/win32/tests/unit_tests.exe --gtest_brief=1
fi
if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run.sh --prefix build/win32/wineprefix --timeout 86400 "$exe" ${ARGS:-}
fi
exec bash scripts/screenshot.sh build/screenshots/velmora.png ${ARGS:-}
