#!/usr/bin/env bash
# Installs what is missing, builds, and opens the main window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build
exec build/cli/exif-report --help
