#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# in build-fuzz and runs each for SECONDS on JOBS processes, printing the executions and any
# findings. Exits non-zero when a target found a crash, a timeout, a leak or an out-of-memory.
#
#   scripts/fuzz.sh SECONDS [JOBS [TARGET...]]     (all targets when none is named)
#
# Limits: inputs up to 15000 bytes (the load buffer). libFuzzer counts its timeout in whole
# seconds; 5 s flags a hang with room for the slowest legitimate input (an IFD1 count of
# 0xFFFF lists 65535 lines, analysed twice by the whole-file target: about 1 s under the
# sanitizers and coverage counters on this machine, tens of milliseconds without them).
# Memory: -malloc_limit_mb=64 refuses any single allocation over 64 MB; the whole process
# may use 1024 MB, since AddressSanitizer's shadow memory and quarantine alone pass 64 MB.
# Reproducible: each run starts from the fixed seeds that make_fuzz_seeds writes, with a
# fixed random seed, in a fresh build-fuzz/corpus/TARGET (KEEP_CORPUS=1 keeps the corpus of
# earlier runs instead). Findings are written to build-fuzz/findings/TARGET, and only those
# of this run count. AddressSanitizer records no allocation stacks (malloc_context_size=0):
# every fault is still found, and a finding is replayed with full stacks by running the
# target on it.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: scripts/fuzz.sh SECONDS [JOBS [TARGET...]]}
jobs=${2:-1}
shift $(($# < 2 ? $# : 2))
dir=build-fuzz

cmake -S . -B "$dir" -DEXIF_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j 2 >/dev/null
rm -rf "$dir/seeds"
"$dir/fuzz/make_fuzz_seeds" "$dir/seeds"
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0}
# The extended whole-file target starts from the seeds of the whole-file target.
ln -sfn fuzz_load "$dir/seeds/fuzz_load_extended"

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  targets=(fuzz_load fuzz_load_extended fuzz_text_ops)
  [[ -x "$dir/fuzz/fuzz_print_cut" ]] && targets+=(fuzz_print_cut)
fi

failed=0
for target in "${targets[@]}"; do
  corpus="$dir/corpus/$target"
  findings="$dir/findings/$target"
  log="$dir/findings/$target.log"
  [[ "${KEEP_CORPUS:-0}" == 1 ]] || rm -rf "$corpus"
  mkdir -p "$corpus" "$findings"
  stamp="$dir/findings/$target.start"
  touch "$stamp"
  parallel=()
  [[ "$jobs" -gt 1 ]] && parallel=(-fork="$jobs")
  status=0
  "$dir/fuzz/$target" "$corpus" "$dir/seeds/$target" "${parallel[@]}" \
    -max_total_time="$seconds" -max_len=15000 -timeout=5 -malloc_limit_mb=64 \
    -rss_limit_mb=1024 -print_final_stats=1 -seed=1 -artifact_prefix="$findings/" \
    >"$log" 2>&1 || status=$?

  # libFuzzer's status lines start with "#EXECUTIONS"; in fork mode the parent's lines,
  # "#EXECUTIONS:", count all jobs, and a failing job's own log may follow them.
  execs=$(grep -oE '^#[0-9]+:' "$log" | tail -1 | tr -d '#:' || true)
  [[ -n "$execs" ]] || execs=$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#' || true)
  found=$(find "$findings" -type f -newer "$stamp" | wc -l)
  per_second=$(grep -oE 'average_exec_per_sec: *[0-9]+' "$log" | tail -1 | grep -oE '[0-9]+$' || true)
  printf '%-16s %12s executions in %ss on %s job(s) (%s/s), corpus %s files, findings %s\n' \
    "$target" "${execs:-0}" "$seconds" "$jobs" "${per_second:-?}" \
    "$(find "$corpus" -type f | wc -l)" "$found"
  if [[ $status -ne 0 || $found -gt 0 ]]; then
    failed=1
    grep -E 'ERROR|FUZZ FAILURE|SUMMARY|runtime error' "$log" | head -20 || true
    find "$findings" -type f -newer "$stamp" | sed 's/^/  finding: /'
    echo "  log: $log"
  fi
done
exit $failed
