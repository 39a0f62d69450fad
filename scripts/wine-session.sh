#!/usr/bin/env bash
# Runs a command (ctest, say) with one X display and persistent wineservers
# for all the Wine programs it starts (wine-run.sh keeps each prefix's up),
# then ends what it started:
#   wine-session.sh BUILD_DIR COMMAND [ARGS...]
# Without it every test would bring up its own Xvfb and wineserver.
set -uo pipefail
build=$1; shift

. "$(dirname "$0")/xvfb.sh"
if [ -z "${DISPLAY:-}" ]; then
  xvfb_start || exit 1
fi

# The prefixes whose wineserver wine-run.sh keeps up for the session.
VELMORA_WINE_SESSION=$(mktemp)
export VELMORA_WINE_SESSION

"$@"
rc=$?

# Stop the wineservers of this build's prefixes and of those kept up (and
# with them their programs), then the display.
{ printf '%s\n' "$build"/wineprefix*; cat "$VELMORA_WINE_SESSION"; } | sort -u |
  while IFS= read -r p; do
    [ -d "$p" ] && WINEPREFIX="$p" timeout 30 wineserver -k 2>/dev/null
  done
rm -f "$VELMORA_WINE_SESSION"
xvfb_stop
exit $rc
