#!/usr/bin/env bash
# Installs what is missing, builds the game for /usr and packs it as a .deb in build-deb/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DQUILLMOOR_TESTS=OFF -DQUILLMOOR_BENCH=OFF
cmake --build build-deb -j2
(cd build-deb && cpack -G DEB)
ls build-deb/quillmoor_*.deb
