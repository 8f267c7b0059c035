#!/usr/bin/env bash
# Builds the browser version into build-web/ (serve it with `node scripts/serve-web.mjs` and open
# http://127.0.0.1:8000/quillmoor.html): the native data generator makes the data and the page's
# pictures, fluidsynth renders each MIDI track with the game's sound font and oggenc compresses
# it, then emscripten compiles the game and cmake/web_page.cmake writes the page.
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

# The packed data: the generated files and the text face (the browser has no font renderer).
mkdir -p "$out/data"
if [ ! -f "$out/data/.stamp" ] || [ "$native/data/.stamp" -nt "$out/data/.stamp" ]; then
  rm -rf "$out/data" && mkdir -p "$out/data"
  cp -r "$native/data/." "$out/data/"
  rm -f "$out/data/.stamp"
  "$native/assetgen" --text-face "$out/data"
  touch "$out/data/.stamp"
fi

# The music, fetched by the page beside the packed data: each track rendered once.
mkdir -p "$out/music"
if [ ! -f "$out/music/.stamp" ] || [ "$out/data/.stamp" -nt "$out/music/.stamp" ]; then
  rm -f "$out"/music/*.ogg
  for midi in "$out"/data/*.MID; do
    name=$(basename "${midi%.MID}")
    fluidsynth -n -i -q -r 44100 -g "$music_gain" -F "$out/music/$name.wav" "$soundfont" "$midi" >/dev/null
    oggenc -Q -q 4 -o "$out/music/$name.ogg" "$out/music/$name.wav"
    rm -f "$out/music/$name.wav"
  done
  touch "$out/music/.stamp"
fi

# The page's icons and touch controls, from the game's own art.
mkdir -p "$out/art"
if [ ! -f "$out/art/.stamp" ] || [ "$native/assetgen" -nt "$out/art/.stamp" ]; then
  rm -f "$out"/art/*.png
  "$native/assetgen" --web-art "$out/art"
  touch "$out/art/.stamp"
fi

export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMOOR_WEB_DATA="$PWD/$out/data" >/dev/null
cmake --build "$out" -j2
echo "built $out/quillmoor.html"
