#!/usr/bin/env bash
# Configures and builds one build directory: build.sh DIR [cmake options...]
# Compiles through ccache when it is there; its base directory is the checkout's parent, so
# checkouts side by side share their cached objects.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
shift
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$PWD")}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
