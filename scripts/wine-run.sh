#!/usr/bin/env bash
# Runs a Windows program under Wine in a private, prepared prefix:
#   wine-run.sh [--arch win32|win64] [--prefix DIR] [--dpi N] [--desktop WxH|none]
#               [--timeout S] PROGRAM.exe [ARGS...]
# - the architecture (default win32, or VELMORA_WINE_ARCH): win32 runs the
#   32-bit loader in a 32-bit prefix, win64 the 64-bit loader (wine64) in a
#   64-bit prefix, with no 32-bit program on the way: the /usr/bin wrappers
#   (wine, wineboot) start the 32-bit loader whenever it is installed, which
#   fails where the machine runs no 32-bit code;
# - the prefix (default build/wineprefix, build/wineprefix64 for win64) is
#   created once, under a lock, with
#   no Mono/Gecko prompts, no crash dialog, a virtual desktop (unless none), and LogPixels
#   N when --dpi is given (a prefix of its own: DIR-dpiN);
# - WINEDEBUG=-all, and a `timeout` around the program;
# - within a session (wine-session.sh), the prefix's wineserver kept up
#   until the session ends;
# - when DISPLAY is unset, an Xvfb of its own, which it stops by its id.
# The program's exit code is passed on (124 on a timeout).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
arch="${VELMORA_WINE_ARCH:-win32}"
prefix=""
dpi=""
desktop="1024x768"
limit="${VELMORA_WINE_TIMEOUT:-300}"
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch="$2"; shift 2 ;;
    --prefix) prefix="$2"; shift 2 ;;
    --dpi) dpi="$2"; shift 2 ;;
    --desktop) desktop="$2"; shift 2 ;;
    --timeout) limit="$2"; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || { echo "usage: wine-run.sh [--arch win32|win64] [--prefix DIR] [--dpi N] PROGRAM [ARGS...]" >&2; exit 2; }
case "$arch" in
  win32) loader=wine; prefix="${prefix:-$here/../build/wineprefix}" ;;
  win64)
    loader=/usr/lib/wine/wine64
    export WINELOADER=$loader
    prefix="${prefix:-$here/../build/wineprefix64}"
    ;;
  *) echo "wine-run: unknown architecture $arch (win32 or win64)" >&2; exit 2 ;;
esac
# A DPI setting given by the environment (ctest ENVIRONMENT) counts too.
dpi="${dpi:-${VELMORA_WINE_DPI:-}}"
[ -z "$dpi" ] || prefix="$prefix-dpi$dpi"

mkdir -p "$(dirname "$prefix")"
prefix="$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")"
export WINEPREFIX="$prefix"
export WINEARCH=$arch
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
    timeout -k 10 300 "$loader" wineboot -i >/dev/null 2>&1 || true
    timeout -k 10 120 "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    if [ "$desktop" != none ]; then
      timeout -k 10 120 "$loader" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
      timeout -k 10 120 "$loader" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d "$desktop" /f >/dev/null 2>&1
    fi
    if [ -n "$dpi" ]; then
      timeout -k 10 120 "$loader" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
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
  # In a session (wine-session.sh) the prefix's wineserver stays up until
  # the session ends it: Debian's starts with no persistence (-p0) and
  # exits with its last program, and a program starting just then reaches
  # it on its way out ("recvmsg: Connection reset by peer", exit code 1).
  # (A server already running makes this one give up.) Wine's own services
  # start with a server's first program and live as long as the server:
  # started by a program of their own here, they hold none of a test's
  # output, which its runner would wait on to the end.
  if [ -n "${VELMORA_WINE_SESSION:-}" ] &&
     wineserver -p 9>&- </dev/null >/dev/null 2>&1; then
    echo "$prefix" >>"$VELMORA_WINE_SESSION"
    timeout -k 10 120 "$loader" cmd /c exit 9>&- </dev/null >/dev/null 2>&1 || true
  fi
) 9>"$prefix.lock"

set +e
timeout -k 10 "$limit" "$loader" "$@"
rc=$?
set -e
exit $rc
