#!/usr/bin/env bash
# Runs the real program in its own Xvfb with a photograph on its command line: the report
# must be in the memo without any click on the window's commands, and equal to what
# exif-report prints. Then with a missing file: the chooser's warning shows, and the window
# stays open until "終了". Exits 77 (skipped) when the X tools are missing.
#   open_under_xvfb.sh PROGRAM EXIF_REPORT CORPUS_DIR
set -euo pipefail
program=$1
report_program=$2
corpus=$3
# shellcheck source=../../scripts/xvfb-session.sh
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
begin_driven_session "$corpus"
mkdir "$work/photos"
cp "$corpus/canon-ixus.jpg" "$work/photos/IMG_0001.JPG"

# Ends the program with "終了"; it must exit with code 0.
quit() {
  click "$1" 40 12
  local status=0
  for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
  wait "$app_pid" || status=$?
  app_pid=""
  [[ $status -eq 0 ]] || fail "exit code $status"
}

# A relative path, from another directory than the photograph's.
(cd "$work" && exec "$program" photos/IMG_0001.JPG) &
app_pid=$!
main=$(window "Exif 分析") || fail "the main window did not appear"
sleep 0.5
xdotool search --onlyvisible --name "警告" >/dev/null 2>&1 && fail "a warning showed"
# Read the memo through the clipboard (the click only gives it the focus).
click "$main" 300 200
xdotool key ctrl+a ctrl+c
sleep 0.3
shown=$(xclip -selection clipboard -o)
expected=$("$report_program" "$work/photos/IMG_0001.JPG")
[[ "$shown" == "$expected" ]] || fail "the memo does not hold the report: ${shown:0:200}"
quit "$main"

# A missing file: the warning box, then the window is still there.
(cd "$work" && exec "$program" photos/missing.jpg) &
app_pid=$!
window "警告" >/dev/null || fail "no warning for a missing file"
xdotool key Return
sleep 0.5
main=$(window "Exif 分析") || fail "the main window did not stay"
kill -0 "$app_pid" 2>/dev/null || fail "the program ended after the warning"
quit "$main"
echo "PASS"
