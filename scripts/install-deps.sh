#!/usr/bin/env bash
# Installs what building and playing need on Debian 12, using sudo when not root.
# With --fuzz also clang and its libFuzzer, for CI's fuzz targets.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config
          libsdl2-dev libsdl2-ttf-dev libfluidsynth-dev fluidsynth timgm6mb-soundfont fonts-dejavu-core
          libgtest-dev libbenchmark-dev xvfb imagemagick
          desktop-file-utils appstream man-db groff-base dpkg-dev file)
[ "${1:-}" = "--fuzz" ] && packages+=(clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
