#!/usr/bin/env bash
# Start-up on an X server that has no other client: the program's check of the display must
# not make the server reset under Qt's own connection, which would abort the program. The
# reset is a race, so the program starts several times, each on a fresh server, and must
# show its main window every time. Exits 77 (skipped) when the X tools are missing.
#   start_on_fresh_display.sh PROGRAM
set -uo pipefail
program=$1
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
# shellcheck source=../../scripts/xvfb-session.sh
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
log=$(mktemp)
xvfb_pid=""
app_pid=""
cleanup() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  rm -f "$log"
}
trap cleanup EXIT

for run in 1 2 3 4 5 6; do
  start_xvfb 640x480x24 /dev/null
  xvfb_pid=$XVFB_PID
  "$program" >"$log" 2>&1 &
  app_pid=$!
  # Watching for the window only after a moment: xdotool is a client too.
  sleep 0.5
  if ! window "Exif 分析" >/dev/null; then
    cat "$log"
    echo "FAIL: start $run did not show the main window"
    exit 1
  fi
  kill "$app_pid"
  wait "$app_pid" 2>/dev/null
  app_pid=""
  kill "$xvfb_pid"
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
done
echo "PASS"
