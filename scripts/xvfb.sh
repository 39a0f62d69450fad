# Starts an Xvfb display of its own for the script that sources this file:
#   . scripts/xvfb.sh
#   xvfb_start [SCREEN]   SCREEN as Xvfb takes it (default 1280x1024x24);
#                         exports DISPLAY, keeps the server's id in XVFB_PID
#   xvfb_stop             ends that server (and only it), if one was started
# Xvfb picks a free display number itself (-displayfd) and tells it here.
XVFB_PID=""

xvfb_start() {
  local screen=${1:-1280x1024x24} fifo num
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  if ! read -r -t 20 num <"$fifo"; then
    rm -f "$fifo"
    echo "xvfb: Xvfb did not start" >&2
    xvfb_stop
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$num"
}

xvfb_stop() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}
