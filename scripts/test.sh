#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the ordinary build, the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each fuzz target.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
scripts/build.sh build
(cd build && ctest --output-on-failure -j "$jobs")

scripts/build.sh build-asan -DEXIF_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ctest --output-on-failure -j "$jobs")

# A bounded run of each fuzz target (clang, libFuzzer); fails on any finding.
scripts/fuzz.sh 60
