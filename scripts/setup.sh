#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need, and any further
# packages named as arguments; apt is left alone when all of them are present.
set -euo pipefail

packages=(
  cmake g++ make ccache clang libclang-rt-14-dev
  libgtest-dev libbenchmark-dev
  qt6-base-dev libgl-dev libxcb1-dev qt6-translations-l10n
  fonts-ipafont-gothic fonts-ipafont-mincho
  xvfb xauth xdotool xclip x11-apps imagemagick poppler-utils
  dpkg-dev desktop-file-utils appstream man-db lintian
)

packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
