#!/usr/bin/env bash
# Prints the report of a photograph to a PDF file through the program's printing code,
# without the print dialog: print-pdf.sh PHOTO.JPG OUT.PDF [BUILD_DIR]
# Look at the pages with: pdftoppm -png -r 50 OUT.PDF page
set -euo pipefail
cd "$(dirname "$0")/.."
[[ $# -ge 2 ]] || { echo "usage: $0 PHOTO.JPG OUT.PDF [BUILD_DIR]" >&2; exit 2; }
photo=$(realpath "$1")
out=$(realpath -m "$2")
dir=${3:-build}
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j "$(nproc)" --target print-report-pdf >/dev/null
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$dir/tools/print-report-pdf" "$photo" "$out"
echo "$out: $(pdfinfo "$out" | awk '/^Pages:/ {print $2}') page(s)"
