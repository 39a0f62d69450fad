#!/usr/bin/env bash
# Runs a command (ctest, say) with one X display and persistent wineservers
# for all the Wine programs it starts, then ends what it started by id:
#   wine-session.sh BUILD_DIR COMMAND [ARGS...]
# Without it every test would bring up its own Xvfb and wineserver.
set -uo pipefail
build=$1; shift

xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  if ! read -r -t 20 num <"$fifo"; then
    echo "wine-session: Xvfb did not start" >&2; rm -f "$fifo"; kill "$xvfb_pid"; exit 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$num"
fi

"$@"
rc=$?

# Stop the wineservers of this build's prefixes (and with them their
# programs), then the display.
for p in "$build"/wineprefix*; do
  [ -d "$p" ] && WINEPREFIX="$p" timeout 30 wineserver -k 2>/dev/null
done
if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; fi
exit $rc
