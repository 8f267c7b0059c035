#!/usr/bin/env bash
# Installs what the browser build and its tests need on Debian 12 (using sudo when not root):
# the WebAssembly compiler, the music renderer and encoder, Chromium and the test's npm packages.
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(emscripten fluidsynth timgm6mb-soundfont vorbis-tools chromium)
# A Node.js that came from elsewhere may already bring node and npm; it is kept.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)
bash scripts/apt-install.sh "${packages[@]}"
if [ ! -d tests/web/node_modules/puppeteer-core ]; then
  (cd tests/web && npm install --no-audit --no-fund --loglevel=error)
fi
