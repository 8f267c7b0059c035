#!/usr/bin/env bash
# Installs what is missing and builds the Debian package with dpkg-buildpackage from a copy of
# the sources in build-deb/, where the .deb, its -dbgsym, the source package (.dsc and
# .tar.xz, for lintian to check debian/ too) and the .buildinfo and .changes land.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --deb
version=$(dpkg-parsechangelog -S Version)
out=build-deb
src="$out/quillmoor-$version"
rm -rf "$out"
mkdir -p "$src"
# The files a clean clone would hold, as they are in this tree now (build folders left out).
if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard \
    | while IFS= read -r -d '' f; do if [ -e "$f" ]; then printf '%s\0' "$f"; fi; done \
    | tar --null -T - -cf - | tar -xf - -C "$src"
else
  tar --exclude='./build*' --exclude='./obj-*' -cf - . | tar -xf - -C "$src"
fi
# ccache, where it is installed, through its compiler links, as for any Debian package build;
# the copy's path stays the same from build to build, so the cache serves the next one.
if [ -d /usr/lib/ccache ] && command -v ccache > /dev/null; then
  export PATH="/usr/lib/ccache:$PATH"
  CCACHE_DIR=$(ccache -k cache_dir)
  export CCACHE_DIR
fi
(cd "$src" && dpkg-buildpackage -us -uc -j2)
ls "$out"/quillmoor_"$version"_*.deb
