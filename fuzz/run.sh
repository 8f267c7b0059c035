#!/usr/bin/env bash
# Replays the regression corpus through every fuzz target, then fuzzes each for a bounded time.
# usage: fuzz/run.sh BUILD_DIR [SECONDS_PER_TARGET]   (BUILD_DIR configured with -DQUILLMOOR_FUZZ=ON)
# Any crash, leak, sanitizer report, broken promise or slow input fails the run; the input that
# did it is left in BUILD_DIR/fuzz-findings to be added to fuzz/regressions/TARGET/.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$1" && pwd)"
seconds="${2:-40}"
findings="$build/fuzz-findings"
work="$build/fuzz-work"
rm -rf "$work" && mkdir -p "$findings" "$work"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# Seeds from the generated data: which files feed which reader.
seed() {
    local target=$1; shift
    mkdir -p "$work/seeds/$target"
    for f in "$@"; do [ -f "$f" ] && cp "$f" "$work/seeds/$target/"; done
    return 0
}
data="$build/data"
seed bitmap "$data"/*.BMP
seed palette "$data"/*.PAL
seed wav "$data"/*.WAV
seed midi "$data"/*.MID
seed tile_map "$data"/Level?.txt
# The preset tables of the installed General MIDI SoundFont, cut from after its "pdta" mark.
mkdir -p "$work/seeds/font_chorus"
soundfont=/usr/share/sounds/sf2/TimGM6mb.sf2
if [ -f "$soundfont" ]; then
    mark=$(grep -obUa pdta "$soundfont" | tail -1 | cut -d: -f1)
    [ -n "$mark" ] && tail -c +"$((mark + 5))" "$soundfont" > "$work/seeds/font_chorus/TimGM6mb.pdta"
fi
# An enemy list's first byte picks the pool: 0 moles, 1 pigs, 2 wasps.
mkdir -p "$work/seeds/enemy_list"
for f in "$data"/level?Moles.txt "$data"/level?Pigs.txt "$data"/level?Wasps.txt; do
    case "$f" in *Moles*) k='\x00' ;; *Pigs*) k='\x01' ;; *) k='\x02' ;; esac
    { printf "$k"; cat "$f"; } > "$work/seeds/enemy_list/$(basename "$f")"
done
mkdir -p "$work/seeds/key_script" "$work/seeds/options"
printf '20 -\n1 enter\n5 -\n1 space\n40 right+a\n# done\n' > "$work/seeds/key_script/walk"
printf -- '--headless\0--frames\0120\0--input\0keys.txt\0--state\0s.json\0--shot\00060:f.bmp\0--data\0data' > "$work/seeds/options/headless"
printf -- '--window\0--scale\0003\0--mute\0--enhanced' > "$work/seeds/options/window"
mkdir -p "$work/seeds/settings" "$work/seeds/save"
printf '# settings\nfullscreen = no\nscale = 3\nmusic_volume = 7\neffects_volume = 4\nplay = classic\n' > "$work/seeds/settings/plain"
printf '# Quillmoor saved progress, written at each level start.\nlevel = 2\nlives = 5\nbow = yes\n' > "$work/seeds/save/plain"

# Short inputs fuzz faster; a whole tile map takes long to read under the sanitizers. The
# SoundFont's preset tables are 200 KB, which held its target to a few hundred inputs a second:
# cut to 4 KB (a few dozen records of each table, with the small whole font in the regressions)
# it runs tens of thousands and reaches more of the reader.
max_len() { case "$1" in tile_map) echo 8192 ;; font_chorus) echo 4096 ;; *) echo 0 ;; esac; }

status=0
for exe in "$build"/fuzz_*; do
    target="${exe##*/fuzz_}"
    regressions="$here/regressions/$target"
    mkdir -p "$work/corpus/$target" "$regressions"
    options=(-timeout=10 -rss_limit_mb=2048 -artifact_prefix="$findings/$target-" -print_final_stats=1)
    if ! "$exe" "${options[@]}" -runs=0 "$regressions" > "$work/$target.replay.log" 2>&1; then
        echo "fuzz $target: a regression input fails again:"; tail -30 "$work/$target.replay.log"; status=1; continue
    fi
    if ! "$exe" "${options[@]}" -max_len=$(max_len "$target") -max_total_time="$seconds" \
         "$work/corpus/$target" "$regressions" "$work/seeds/$target" > "$work/$target.log" 2>&1; then
        echo "fuzz $target: FAILED"; tail -40 "$work/$target.log"; status=1; continue
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log")
    echo "fuzz $target: $runs executions in ${seconds} s, no fault"
done
exit $status
