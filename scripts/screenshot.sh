#!/usr/bin/env bash
# Takes a screenshot of velmora.exe under Wine on a display of its own, in
# Wine's virtual desktop (so that the frame and caption are drawn):
#   screenshot.sh OUT.png [window|menu|about] [PROGRAM ARGS...]
# The end-to-end driver starts the program, puts it in the state (the
# window; its system menu open; the About box open) and waits while the
# picture is taken; then it closes the program. The picture is cropped to
# what the program shows. VELMORA_BUILD picks the build (default
# build/win32; build/win64 runs under 64-bit Wine).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$1; shift
state=${1:-window}; [ $# -gt 0 ] && shift
build=${VELMORA_BUILD:-build/win32}
arch=win32 && [ "$(basename "$build")" != win64 ] || arch=win64
driver=$build/e2e_driver.exe
exe=${VELMORA_EXE:-$build/velmora.exe}
[ -f "$driver" ] && [ -f "$exe" ] || { echo "screenshot: build the $arch preset first" >&2; exit 1; }
mkdir -p "$(dirname "$out")"

work=$(mktemp -d)
. scripts/xvfb.sh
trap 'xvfb_stop; rm -rf "$work"' EXIT
xvfb_start 1024x768x24

export VELMORA_POSE_DONE="$work/done"
# The driver takes a path as Windows sees it (Z: is the root of the Unix
# file system in a Wine prefix).
winpath() { echo "Z:$(realpath "$1" | sed 's|/|\\|g')"; }
scripts/wine-run.sh --arch $arch --prefix "$PWD/$build/wineprefix" --timeout 120 "$driver" pose "$state" \
  "$(winpath "$exe")" "$@" >"$work/driver.log" 2>&1 &
driver_pid=$!
for _ in $(seq 1 600); do
  grep -q READY "$work/driver.log" 2>/dev/null && break
  kill -0 $driver_pid 2>/dev/null || break
  sleep 0.1
done
rc=0
if grep -q READY "$work/driver.log"; then
  sleep 0.5  # let the last paint land
  import -window root "$work/full.png"
  # Crop to the program's windows: everything that is not the desktop's
  # colour (read at the bottom right corner, where no window stands).
  /usr/bin/convert "$work/full.png" -bordercolor "$(/usr/bin/convert "$work/full.png" -format '%[pixel:p{w-1,h-1}]' info:)" \
    -border 1 -fuzz 2% -trim +repage -bordercolor white -border 0 "$out"
  echo "$out"
else
  echo "screenshot: the program did not reach the state '$state':" >&2
  cat "$work/driver.log" >&2
  rc=1
fi
touch "$VELMORA_POSE_DONE"
wait $driver_pid || true
WINEPREFIX="$PWD/$build/wineprefix" timeout 30 wineserver -k 2>/dev/null || true
exit $rc
