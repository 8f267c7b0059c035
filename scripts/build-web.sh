#!/usr/bin/env bash
# Builds the browser version into build-web/ (open build-web/quillmoor.html through a local web
# server): the native data generator makes the data, fluidsynth renders each MIDI track with
# the game's sound font and oggenc compresses it, then emscripten compiles the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-web-deps.sh
native=${QUILLMOOR_NATIVE_BUILD:-build}
out=build-web
soundfont=/usr/share/sounds/sf2/TimGM6mb.sf2
# The desktop runs its synthesiser at gain 0.45 at full music volume; the rendering matches it.
music_gain=0.45

if [ ! -f "$native/CMakeCache.txt" ]; then
  cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMOOR_TESTS=OFF -DQUILLMOOR_BENCH=OFF
fi
cmake --build "$native" -j2 --target game_data assetgen

mkdir -p "$out/data"
if [ ! -f "$out/data/.stamp" ] || [ "$native/data/.stamp" -nt "$out/data/.stamp" ]; then
  rm -rf "$out/data" && mkdir -p "$out/data"
  cp -r "$native/data/." "$out/data/"
  rm -f "$out/data/.stamp"
  # The browser has no font renderer: the text face comes as a glyph atlas.
  "$native/assetgen" --text-face "$out/data"
  for midi in "$out"/data/*.MID; do
    wav="$out/$(basename "${midi%.MID}").wav"
    fluidsynth -n -i -q -r 44100 -g "$music_gain" -F "$wav" "$soundfont" "$midi" >/dev/null
    oggenc -Q -q 4 -o "${midi%.MID}.ogg" "$wav"
    rm -f "$wav"
  done
  touch "$out/data/.stamp"
fi

export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMOOR_WEB_DATA="$PWD/$out/data" >/dev/null
cmake --build "$out" -j2
echo "built $out/quillmoor.html"
