#!/usr/bin/env bash
# velmora-cli writing into a pipe whose reader stops after one line: the
# first line arrives, the program ends promptly without a signal and says
# nothing on standard error.
#   closed_pipe.sh [EMULATOR...] VELMORA-CLI
set -uo pipefail
err=$(mktemp)
out=$(mktemp)
trap 'rm -f "$err" "$out"' EXIT

# Far more output than a pipe and the program's buffer hold together.
timeout 20 "$@" --iso 1583..4099 1583..4099 1583..4099 1583..4099 2>"$err" | head -n 1 >"$out"
codes=("${PIPESTATUS[@]}")
status=0
first=$(tr -d '\r' <"$out")
if [ "$first" != "1583-04-10" ]; then
  echo "first line: '$first', expected 1583-04-10"; status=1
fi
if [ "${codes[0]}" -ne 1 ]; then
  echo "exit code ${codes[0]}, expected 1 (124: timeout, 141: killed by SIGPIPE)"; status=1
fi
if [ -s "$err" ]; then
  echo "standard error is not empty:"; cat "$err"; status=1
fi
exit $status
