#!/usr/bin/env bash
# Every speed and memory figure of the project next to its goal, in one run of a few
# minutes. Run by hand, not in CI:
#   scripts/bench.sh [BUILD_DIR]    (default build-bench, a Release build)
# - exif-report over many files against the floor (reading each file's first 10000 bytes and
#   nothing else), both forms, stdout to /dev/null and to a file; exiv2 -pa and exiftool
#   (installed when missing) against exif-report;
# - the main window on the worst-case report: time to screen, peak memory, time to PDF;
# - the fuzz targets' inputs per second under the sanitizers (scripts/fuzz.sh).
# The contenders run interleaved, run after run, and each figure is the median of its runs,
# so that a busy machine slows all of them alike; the ratios are what to read.
# Settings: COPIES (500 copies of each corpus photo), RUNS (11), FUZZ_SECONDS (20).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
copies=${COPIES:-500}
runs=${RUNS:-11}
fuzz_seconds=${FUZZ_SECONDS:-20}
corpus=${CORPUS:-../shared/corpus}

# The build's packages and the two peers that exif-report is compared against.
scripts/setup.sh exiv2 libimage-exiftool-perl

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$PWD")}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" --target exif-report read_floor window_bench >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for ((i = 0; i < copies; i++)); do
  for photo in "$corpus"/*.jpg; do
    cp "$photo" "$work/$i-$(basename "$photo")"
  done
done
files=("$work"/*.jpg)
cat "${files[@]}" >/dev/null # every contender reads from the page cache
report="$build/cli/exif-report"

# The contenders, each run straight from this shell on all the files.
names=(floor sjis_null sjis_file utf8_null utf8_file)
command -v exiv2 >/dev/null && names+=(exiv2)
run() {
  case $1 in
    floor) "$build/bench/read_floor" "${files[@]}" >/dev/null ;;
    sjis_null) "$report" --sjis "${files[@]}" >/dev/null 2>&1 ;;
    sjis_file) "$report" --sjis "${files[@]}" >"$work/out" 2>/dev/null ;;
    utf8_null) "$report" "${files[@]}" >/dev/null 2>&1 ;;
    utf8_file) "$report" "${files[@]}" >"$work/out" 2>/dev/null ;;
    exiv2) exiv2 -pa "${files[@]}" >/dev/null 2>&1 ;;
  esac
}
# Each run's elapsed time and the processor time (user + system) of the command: on a busy
# machine the elapsed times wait for the processor, the processor times do not.
declare -A times cpu
TIMEFORMAT='%3R %3U %3S'
for ((r = 0; r < runs; r++)); do
  for name in "${names[@]}"; do
    # refused files make exif-report exit with 1
    read -r real user system < <({ time run "$name" || true; } 2>&1 >/dev/null)
    times[$name]+="$(awk -v r="$real" 'BEGIN {printf "%d", r * 1000000}') "
    cpu[$name]+="$(awk -v u="$user" -v s="$system" 'BEGIN {printf "%d", (u + s) * 1000000}') "
  done
done
median_of() { tr ' ' '\n' <<<"$1" | grep . | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / (b < 1 ? 1 : b) }'; }
declare -A median median_cpu
for name in "${names[@]}"; do
  median[$name]=$(median_of "${times[$name]}")
  median_cpu[$name]=$(median_of "${cpu[$name]}")
done
# "elapsed ratio (processor-time ratio)" of two contenders.
ratios() { echo "$(ratio "${median[$1]}" "${median[$2]}")x ($(ratio "${median_cpu[$1]}" "${median_cpu[$2]}")x)"; }

row() { printf '%-48s %12s   %s\n' "$1" "$2" "$3"; }
echo "${#files[@]} files ($copies copies of each photo in $corpus), median of $runs interleaved runs"
echo
echo "Ratios: elapsed time (processor time in brackets)."
echo
row "figure" "value" "goal"
row "floor: read 10000 bytes of each file" "$(awk -v u="${median[floor]}" 'BEGIN {printf "%.1f ms", u / 1000}')" ""
row "exif-report --sjis / floor, stdout /dev/null" "$(ratios sjis_null floor)" "<= 1.6x"
row "exif-report --sjis / floor, stdout to a file" "$(ratios sjis_file floor)" "<= 1.6x"
row "exif-report (UTF-8) / floor, stdout /dev/null" "$(ratios utf8_null floor)" "<= 1.6x"
row "exif-report (UTF-8) / floor, stdout to a file" "$(ratios utf8_file floor)" "<= 1.6x"
if [[ -n "${median[exiv2]:-}" ]]; then
  row "exiv2 -pa / exif-report --sjis" "$(ratios exiv2 sjis_null)" ">= 10x"
else
  row "exiv2 -pa / exif-report --sjis" "n/a" "exiv2 is not installed"
fi
if command -v exiftool >/dev/null; then
  # Far slower than the others: one run, on a tenth of the files.
  tenth=("${files[@]:0:$((${#files[@]} / 10))}")
  start=$(date +%s%N)
  exiftool "${tenth[@]}" >/dev/null 2>&1 || true
  end=$(date +%s%N)
  row "exiftool / exif-report --sjis (a tenth of the files)" \
    "$(ratio "$(((end - start) / 1000 * 10))" "${median[sjis_null]}")x" "(for comparison)"
fi

# The window: the figures of window_bench, one "name value" line each.
window=$(QT_QPA_PLATFORM=offscreen "$build/bench/window_bench" 5 2>/dev/null)
figure() { awk -v k="$1" '$1 == k {print $2}' <<<"$window"; }
row "window worst case: choosing to painted memo" "$(figure screen_ms) ms" "<= 150 ms"
row "window worst case: peak memory" "$(figure peak_mb) MB" "<= 60 MB"
row "window worst case: printing to PDF" "$(figure pdf_ms) ms" "<= 1200 ms"

# The fuzz targets: inputs per second from a run of FUZZ_SECONDS each.
fuzz=$(scripts/fuzz.sh "$fuzz_seconds" 2>&1 || true)
for target in fuzz_load fuzz_text_ops fuzz_print_cut; do
  rate=$(awk -v t="$target" '$1 == t' <<<"$fuzz" | grep -oE '\([0-9?]+/s\)' | tr -d '()' || true)
  goal=""
  [[ $target == fuzz_load ]] && goal=">= 300/s"
  row "$target inputs per second (sanitizers)" "${rate:-n/a}" "$goal"
done
