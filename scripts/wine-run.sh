#!/usr/bin/env bash
# Runs a Windows program under Wine in a private, prepared prefix:
#   wine-run.sh [--prefix DIR] [--dpi N] [--desktop WxH|none] [--timeout S] PROGRAM.exe [ARGS...]
# - the prefix (default build/wineprefix) is created once, under a lock, with
#   no Mono/Gecko prompts, no crash dialog, a virtual desktop (unless none), and LogPixels
#   N when --dpi is given (a prefix of its own: DIR-dpiN);
# - WINEDEBUG=-all, and a `timeout` around the program;
# - when DISPLAY is unset, an Xvfb of its own, which it stops by its id.
# The program's exit code is passed on (124 on a timeout).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
prefix="$here/../build/wineprefix"
dpi=""
desktop="1024x768"
limit="${VELMORA_WINE_TIMEOUT:-300}"
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) prefix="$2"; shift 2 ;;
    --dpi) dpi="$2"; shift 2 ;;
    --desktop) desktop="$2"; shift 2 ;;
    --timeout) limit="$2"; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || { echo "usage: wine-run.sh [--prefix DIR] [--dpi N] PROGRAM [ARGS...]" >&2; exit 2; }
# A DPI setting given by the environment (ctest ENVIRONMENT) counts too.
dpi="${dpi:-${VELMORA_WINE_DPI:-}}"
[ -z "$dpi" ] || prefix="$prefix-dpi$dpi"

mkdir -p "$(dirname "$prefix")"
prefix="$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")"
export WINEPREFIX="$prefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

. "$here/xvfb.sh"
trap xvfb_stop EXIT
if [ -z "${DISPLAY:-}" ]; then
  xvfb_start
fi

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/.velmora-ready" ]; then
    rm -rf "$prefix"
    timeout -k 10 300 wineboot -i >/dev/null 2>&1 || true
    timeout -k 10 120 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    if [ "$desktop" != none ]; then
      timeout -k 10 120 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
      timeout -k 10 120 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d "$desktop" /f >/dev/null 2>&1
    fi
    if [ -n "$dpi" ]; then
      timeout -k 10 120 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    fi
    timeout -k 10 120 wineserver -w || true
    # Wine's own fonts (Marlett draws the caption buttons) where wineboot
    # left them out.
    if [ -d /usr/share/wine/fonts ] && [ -d "$prefix/drive_c/windows/Fonts" ]; then
      cp -n /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    [ -d "$prefix/drive_c" ] || { echo "wine-run: could not create the prefix $prefix" >&2; exit 1; }
    touch "$prefix/.velmora-ready"
  fi
) 9>"$prefix.lock"

set +e
timeout -k 10 "$limit" wine "$@"
rc=$?
set -e
exit $rc
