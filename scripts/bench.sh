#!/usr/bin/env bash
# Times exif-report over many files against the floor (reading each file's first 10000
# bytes and nothing else), exiv2 -pa and exiftool on the same files, and prints the ratios;
# then runs the AnalyzeExif benchmarks. Run by hand, not in CI.
#   scripts/bench.sh [BUILD_DIR]    (COPIES=200 copies of each corpus photo by default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
copies=${COPIES:-200}
corpus=${CORPUS:-../shared/corpus}

scripts/build.sh "$build" -DEXIF_GUI=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for ((i = 0; i < copies; i++)); do
  for photo in "$corpus"/*.jpg; do
    cp "$photo" "$work/$i-$(basename "$photo")"
  done
done
files=("$work"/*.jpg)
echo "${#files[@]} files ($copies copies of each photo in $corpus)"

# Milliseconds of the fastest of RUNS runs of the command; its output is thrown away and
# its exit status ignored (some files are refused on purpose).
fastest_ms() {
  local runs=$1 best=""
  shift
  for ((r = 0; r < runs; r++)); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    local ms=$(((end - start) / 1000000))
    if [[ -z "$best" || $ms -lt $best ]]; then best=$ms; fi
  done
  echo "$best"
}

# Warm the page cache so that every contender reads from memory.
cat "${files[@]}" >/dev/null

floor=$(fastest_ms 5 "$build/bench/read_floor" "${files[@]}")
report=$(fastest_ms 5 "$build/cli/exif-report" "${files[@]}")
report_sjis=$(fastest_ms 5 "$build/cli/exif-report" --sjis "${files[@]}")
exiv2=$(fastest_ms 3 exiv2 -pa "${files[@]}")
exiftool=$(fastest_ms 1 exiftool "${files[@]}")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b < 1) b = 1; printf "%.1f", a / b }'; }
printf '%-28s %8s  %s\n' "contender" "ms" "ratio to exif-report"
printf '%-28s %8d  %s\n' "floor (read 10000 bytes)" "$floor" "$(ratio "$floor" "$report")"
printf '%-28s %8d  %s\n' "exif-report" "$report" "1.0"
printf '%-28s %8d  %s\n' "exif-report --sjis" "$report_sjis" "$(ratio "$report_sjis" "$report")"
printf '%-28s %8d  %s\n' "exiv2 -pa" "$exiv2" "$(ratio "$exiv2" "$report")"
printf '%-28s %8d  %s\n' "exiftool" "$exiftool" "$(ratio "$exiftool" "$report")"
echo
echo "exif-report / floor:      $(ratio "$report" "$floor")  (goal: at most 2)"
echo "exiv2 -pa / exif-report:  $(ratio "$exiv2" "$report")  (goal: at least 10)"
echo

"$build/bench/analyze_bench"
