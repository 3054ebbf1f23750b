#!/usr/bin/env bash
# The program started where no display can be reached must say so in its own words and end
# with exit code 1, before Qt's platform plugin aborts with its own message.
#   run_without_display.sh PROGRAM unset        no DISPLAY and no WAYLAND_DISPLAY
#   run_without_display.sh PROGRAM unreachable  DISPLAY names an X server that is not there
program=$1
case=$2
if [[ $case == unset ]]; then
  environment=(-u DISPLAY)
else
  # A display number that no server on this machine uses.
  number=4242
  while [[ -e /tmp/.X11-unix/X$number || -e /tmp/.X$number-lock ]]; do number=$((number + 1)); done
  environment=(DISPLAY=":$number")
fi
output=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${environment[@]}" "$program" 2>&1)
status=$?
echo "$output"
[[ $status -eq 1 ]] || { echo "exit code $status, expected 1"; exit 1; }
grep -q "画面に接続できません。" <<<"$output" || { echo "not the program's own message"; exit 1; }
grep -q "DISPLAY" <<<"$output" || { echo "no word of the display"; exit 1; }
if grep -q "qt\.qpa\|platform plugin" <<<"$output"; then echo "Qt's own message came first"; exit 1; fi
