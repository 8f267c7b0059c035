#!/usr/bin/env bash
# Installs what building and playing need on Debian 12, using sudo when not root.
# With --fuzz also clang and its libFuzzer, for CI's fuzz targets; with --deb also what
# building and checking the Debian package needs (debhelper, lintian).
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config
          libsdl2-dev libsdl2-ttf-dev libfluidsynth-dev fluidsynth timgm6mb-soundfont fonts-dejavu-core
          libgtest-dev libbenchmark-dev xvfb imagemagick
          desktop-file-utils appstream man-db groff-base dpkg-dev file)
[ "${1:-}" = "--fuzz" ] && packages+=(clang libclang-rt-14-dev)
[ "${1:-}" = "--deb" ] && packages+=(debhelper lintian)
exec bash "$(dirname "$0")/apt-install.sh" "${packages[@]}"
