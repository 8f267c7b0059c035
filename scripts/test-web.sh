#!/usr/bin/env bash
# Builds the browser version and tests it in headless Chromium against the native headless game:
# the same key scripts must give the same state and the same frames.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-web.sh
cmake --build "${QUILLMOOR_NATIVE_BUILD:-build}" -j2 --target quillmoor
cd tests/web
node --test web_frames.test.mjs
