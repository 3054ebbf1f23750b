#!/usr/bin/env bash
# A test folder that is missing (here: renamed) must fail the configure step, so that no
# suite can drop out of the build unnoticed. Works on a copy of the sources.
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tar -C "$source_dir" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$work" -xf -
mv "$work/tests/core" "$work/tests/core-renamed"
set +e
output=$(cmake -S "$work" -B "$work/build" -DEXIF_GUI=OFF 2>&1)
status=$?
set -e
if [[ $status -eq 0 ]]; then
  echo "configure succeeded without tests/core"
  exit 1
fi
grep -q 'given source "core" which is not an existing directory' <<<"$output" ||
  { echo "$output"; echo "configure failed, but not for the missing folder"; exit 1; }
