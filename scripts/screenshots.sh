#!/usr/bin/env bash
# Takes screenshots (PNG) of the main window with the report of a photograph and of the
# file chooser, under Xvfb: screenshots.sh [BUILD_DIR [OUT_DIR]]
# (defaults: build, out/screenshots). Needs Xvfb, xdotool and ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=$(realpath -m "${2:-out/screenshots}")
program=$(realpath "$build/app/exif-analyzer")
photo=$(realpath ../shared/corpus/canon-ixus.jpg)
mkdir -p "$out"

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# The chooser starts in the program's current directory.
mkdir -p "$work/photos/写真"
cp "$photo" "$work/photos/canon-ixus.jpg"
echo "notes" >"$work/photos/メモ.txt"

exec 3<> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

window() {
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "screenshots.sh: window '$1' did not appear" >&2
  return 1
}
# Clicks at a point in design pixels (120 per inch) of a window on this 96-dpi screen.
click() {
  xdotool mousemove --window "$1" $(($2 * 96 / 120)) $(($3 * 96 / 120)) click 1
  sleep 0.4
}

(cd "$work/photos" && exec "$program") &
pids+=($!)
main=$(window "Exif 分析")
click "$main" 150 12
chooser=$(window "^Form2$")
click "$chooser" 260 48
import -window "$chooser" "$out/chooser.png"
click "$chooser" 444 356
sleep 0.5
import -window "$main" "$out/main-window.png"
# The end of the report: the interpretation of the tags.
click "$main" 300 200
xdotool key ctrl+End
sleep 0.3
import -window "$main" "$out/main-window-end.png"
click "$main" 40 12
echo "Screenshots in $out: main-window.png, main-window-end.png, chooser.png"
