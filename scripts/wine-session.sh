#!/usr/bin/env bash
# Runs a command (ctest, say) with one X display and persistent wineservers
# for all the Wine programs it starts, then ends what it started by id:
#   wine-session.sh BUILD_DIR COMMAND [ARGS...]
# Without it every test would bring up its own Xvfb and wineserver.
set -uo pipefail
build=$1; shift

. "$(dirname "$0")/xvfb.sh"
if [ -z "${DISPLAY:-}" ]; then
  xvfb_start || exit 1
fi

"$@"
rc=$?

# Stop the wineservers of this build's prefixes (and with them their
# programs), then the display.
for p in "$build"/wineprefix*; do
  [ -d "$p" ] && WINEPREFIX="$p" timeout 30 wineserver -k 2>/dev/null
done
xvfb_stop
exit $rc
