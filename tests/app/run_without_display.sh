#!/usr/bin/env bash
# The program started where there is no display: it must say so and end with exit code 1.
program=$1
set +e
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1)
status=$?
set -e
echo "$output"
[[ $status -eq 1 ]] || { echo "exit code $status, expected 1"; exit 1; }
grep -q DISPLAY <<<"$output" || { echo "no word of the missing display"; exit 1; }
