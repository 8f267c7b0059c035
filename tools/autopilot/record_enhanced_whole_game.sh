#!/usr/bin/env bash
# Makes the committed recording of the autopilot's enhanced run: the whole story with each boss
# fight, then the end scene with Space held, back to the title and START for a new game.
# usage: record_enhanced_whole_game.sh BUILD_DIR OUT_FILE   (run from the source folder)
set -euo pipefail
build=${1:?build folder}
out=${2:?recording to write}
name=$(basename "$out")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$build/autopilot" --enhanced --data "$build/data" --out "$tmp/keys.txt" >"$tmp/summary.txt" 2>"$tmp/fights.txt"
read -r frames lives < <(sed -n 's/^autopilot: \([0-9]*\) frames, \([0-9]*\) lives left, story finished$/\1 \2/p' "$tmp/summary.txt")
[ -n "${frames:-}" ] || { cat "$tmp/summary.txt" >&2; exit 1; }

{
  # The key script's own header: version, mode and data.
  sed -n '1,4p' "$tmp/keys.txt"
  cat <<EOF
# The whole story in enhanced play, where every boss takes one blow a swing or an arrow and
# blinks unhurtable after each: the autopilot wins it (lives left: $lives), then the end scene
# plays with Space held, Space ends it at the title, and START begins a new game from level 1.
# Each fight's first frame after the boss's meeting lines and the frame he falls are expected.
# The file is made, keys and these lines, with (from the source folder, after a build):
#   bash tools/autopilot/record_enhanced_whole_game.sh build tests/replays/$name
# Make it again whenever enhanced play's timing changes.
EOF
  sed -n 's/^autopilot: boss \([0-9]\) fought from frame \([0-9]*\) to \([0-9]*\): \(.*\)$/\1 \2 \3 \4/p' "$tmp/fights.txt" |
    while read -r boss start end figures; do
      case $boss in 1) who=mole; hp=5; label="Dorvik Mole";; 2) who=swine; hp=10; label="Lord Hogrand";;
                    *) who=wasp; hp=15; label="King Vespro";; esac
      echo "# $label: $figures"
      echo "# expect $start: \"$who\": {\"alive\": true, \"hit_points\": $hp,"
      echo "# expect $end: \"$who\": {\"alive\": false, \"hit_points\": 0,"
    done
  echo "# expect $frames: \"game_state\": \"Playing\""
  echo "# expect $((frames + 1)): \"game_state\": \"Ending\""
  echo "# expect $((frames + 220)): \"game_state\": \"Ending\""
  echo "# expect $((frames + 320)): \"game_state\": \"Title\""
  echo "# expect $((frames + 320)): \"current_level\": 0"
  echo "# expect $((frames + 341)): \"game_state\": \"LevelMap\""
  echo "# expect $((frames + 341)): \"current_level\": 1"
  echo "# expect $((frames + 341)): \"hit_points\": 5, \"lives\": 10, \"has_key\": false, \"has_bow\": false"
  sed -n '5,$p' "$tmp/keys.txt" | grep -v '^#'
  printf '320 space\n20 -\n1 enter\n5 -\n'
} >"$out"
cat "$tmp/summary.txt" "$tmp/fights.txt"
