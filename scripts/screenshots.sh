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

source scripts/xvfb-session.sh
start_xvfb 1024x768x24 /dev/null -noreset
pids+=("$XVFB_PID")

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
