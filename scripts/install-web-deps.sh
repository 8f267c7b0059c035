#!/usr/bin/env bash
# Installs what the browser build and its tests need on Debian 12 (using sudo when not root):
# the WebAssembly compiler, the music renderer and encoder, Chromium and the test's npm packages.
set -euo pipefail
cd "$(dirname "$0")/.."
packages=(emscripten fluidsynth timgm6mb-soundfont vorbis-tools chromium)
# A Node.js that came from elsewhere may already bring node and npm; it is kept.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
if [ ! -d tests/web/node_modules/puppeteer-core ]; then
  (cd tests/web && npm install --no-audit --no-fund --loglevel=error)
fi
