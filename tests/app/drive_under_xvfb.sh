#!/usr/bin/env bash
# Runs the real program in its own Xvfb and drives it from outside as a user would: press
# "ファイル選択", click a photograph in the chooser, press "選択", copy the report from the
# memo through the clipboard, refuse a text file, meet a conversion error, then press
# "終了". The program must end with exit code 0. Exits 77 (skipped) when the X tools are missing.
#   drive_under_xvfb.sh PROGRAM CORPUS_DIR
set -euo pipefail
program=$1
corpus=$2
# shellcheck source=../../scripts/xvfb-session.sh
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
begin_driven_session "$corpus"

# The chooser starts in the current directory: give it a photograph and a text file.
mkdir "$work/photos"
cp "$corpus/canon-ixus.jpg" "$work/photos/a-photo.jpg"
echo "not a photograph" >"$work/photos/b-notes.txt"
# Exif, Intel order, IFD0 without entries whose link points far beyond the loaded bytes:
# the analysis stops with a conversion error.
printf '\xff\xd8\xff\xe1\x00\x20Exif\x00\x00II*\x00\x08\x00\x00\x00\x00\x00\x00\x00\x01\x00' \
  >"$work/photos/c-broken.jpg"

# Remembered options of this run only, so that the user's own choices change nothing here.
export XDG_CONFIG_HOME="$work/config"
(cd "$work/photos" && exec "$program") &
app_pid=$!

main=$(window "Exif 分析") || fail "the main window did not appear"

# "ファイル選択", then the file at height Y of the chooser's file list, then "選択".
choose_file_at() {
  click "$main" 150 12
  chooser=$(window "^Form2$") || fail "the chooser did not appear"
  click "$chooser" 260 "$1"
  click "$chooser" 444 356
}

# The memo's whole text, through the clipboard.
memo_text() {
  click "$main" 300 200
  xdotool key ctrl+a ctrl+c
  sleep 0.3
  xclip -selection clipboard -o
}

# The first file: the photograph.
choose_file_at 48
sleep 0.5
xdotool search --onlyvisible --name "^Form2$" >/dev/null 2>&1 && fail "the chooser stayed open"

report=$(memo_text)
grep -q "00000H  : FFD8" <<<"$report" || fail "the memo holds no report: $report"
grep -q "Canon" <<<"$report" || fail "the report names no camera"

# The text file is refused with its warning box.
choose_file_at 66
window "警告" >/dev/null || fail "no warning for a text file"
xdotool key Return
sleep 0.3

# A conversion error: the error box is captioned with the program's name, and the lines
# written before the error stay in the memo.
choose_file_at 84
window "^exif-analyzer$" >/dev/null || fail "no error box captioned exif-analyzer"
xdotool key Return
sleep 0.3
partial=$(memo_text)
[[ "$(tail -n1 <<<"$partial")" == "1000CH  : 0x" ]] || fail "the partial report is not kept: $partial"

# "終了" ends the program with exit code 0.
click "$main" 40 12
status=0
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
wait "$app_pid" || status=$?
app_pid=""
[[ $status -eq 0 ]] || fail "exit code $status"
echo "PASS"
