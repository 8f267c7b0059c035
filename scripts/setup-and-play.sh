#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it (extra options pass through).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMOOR_TESTS=OFF -DQUILLMOOR_BENCH=OFF
cmake --build build -j2 --target quillmoor
exec ./build/quillmoor "$@"
