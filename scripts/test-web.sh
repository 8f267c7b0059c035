#!/usr/bin/env bash
# Builds the browser version and tests it in headless Chromium: against the native headless game
# (the same key scripts, and touch scripts, must give the same state and the same frames), the
# page on a desktop and on a phone, the player's files across reloads, and play with no network.
# Then it reports the start's figures (bytes and time to the first picture, the largest gap).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-web.sh
cmake --build "${QUILLMOOR_NATIVE_BUILD:-build}" -j2 --target quillmoor
cd tests/web
node --test --test-concurrency=1 web_frames.test.mjs web_page.test.mjs web_touch.test.mjs web_profile.test.mjs web_offline.test.mjs
echo "== The start of the page on this machine (a report, not a test)"
node measure_start.mjs 3
