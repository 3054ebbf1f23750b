#!/usr/bin/env bash
# Builds the Debian package of both programs with CPack and checks it with lintian:
#   package.sh [BUILD_DIR]          (default: build-package)
# The programs are compiled with Debian's own hardening flags (dpkg-buildflags) in a build
# directory of their own; the package's path is printed at the end. Exits non-zero when the
# build fails or lintian reports an error.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
dir=${1:-build-package}

launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$PWD")}
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Debian's compiler flags with its full hardening (immediate binding included); they also
# keep the paths of this checkout out of the binaries.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
# Only what the package holds is built: neither this script nor CPack's install step builds
# the tests.
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="$cxxflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$dir" -j "$(nproc)" --target exif-analyzer exif-report man_pages package_changelog
rm -f "$dir"/*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/*.deb)

if command -v lintian >/dev/null; then
  # Errors fail the script; warnings and informational tags are printed for the reader.
  lintian --display-info "$deb"
fi
echo "$deb"
