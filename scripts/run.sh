#!/usr/bin/env bash
# Installs what is missing, builds, and opens the main window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run.sh: built, but there is no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
  echo "Start it from a desktop session, or inside a virtual one: xvfb-run scripts/run.sh" >&2
  exit 1
fi
exec build/app/exif-analyzer
