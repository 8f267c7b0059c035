#!/usr/bin/env bash
# Installs what building and playing need on Debian 12, using sudo when not root.
# With --fuzz also clang and its libFuzzer, for CI's fuzz targets; with --deb also what
# building and checking the Debian package needs (debhelper, lintian).
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config
          libsdl2-dev libsdl2-ttf-dev libfluidsynth-dev libsdl2-image-dev fluidsynth timgm6mb-soundfont fonts-dejavu-core
          libgtest-dev libbenchmark-dev xvfb imagemagick
          desktop-file-utils appstream man-db groff-base dpkg-dev file)
[ "${1:-}" = "--fuzz" ] && packages+=(clang libclang-rt-14-dev)
[ "${1:-}" = "--deb" ] && packages+=(debhelper lintian)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo > /dev/null; then
    echo "install-deps.sh: these packages are missing: ${missing[*]}" >&2
    echo "Installing them needs root, and sudo is not installed. Run this script as root, or" >&2
    echo "install sudo as root and add yourself to its group, then log in again:" >&2
    echo "    su -c 'apt-get install sudo && adduser $(id -un) sudo'" >&2
    exit 1
  fi
  sudo="sudo"
fi
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
