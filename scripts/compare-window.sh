#!/usr/bin/env bash
# Compares the CPU of two builds of the game in a window, both running at the same time on two
# Xvfb displays, so that whatever else the machine is doing weighs on both alike. Each round
# walks level 1 with sound for N seconds and prints the CPU milliseconds of each build (all
# threads, and the game thread alone) and B's share of A's; the rounds alternate which build
# starts first, and the last line gives the median shares. For measuring only; not part of CI.
#
#   scripts/compare-window.sh [--rounds N] [--seconds S] [--scale K] A_BINARY B_BINARY
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=6
seconds=15
scale=1
while [ $# -gt 2 ]; do
  case "$1" in
    --rounds) rounds="$2"; shift 2 ;;
    --seconds) seconds="$2"; shift 2 ;;
    --scale) scale="$2"; shift 2 ;;
    *) break ;;
  esac
done
[ $# -eq 2 ] || { sed -n '8p' "$0" | sed 's/^# *//' >&2; exit 2; }
a="$1" b="$2"
command -v Xvfb >/dev/null || { echo "compare-window: needs Xvfb (package xvfb)" >&2; exit 2; }

work="$(mktemp -d)"
xvfb_pids=()
trap 'kill "${xvfb_pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT
# Each game on a display of its own: a window that is not focused pauses its game.
for d in 91 92; do
  Xvfb ":$d" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pids+=($!)
done
sleep 1
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null HOME="$work"
# The same walk as scripts/measure-window.sh.
{ printf '20 -\n1 enter\n5 -\n1 space\n60 space\n'; for i in $(seq 40); do printf '40 right\n5 a\n40 left\n30 down\n30 up\n'; done; } > "$work/walk.txt"

# CPU nanoseconds of a process: all its threads, then its main (game) thread.
cpu_ns() {
  local all=0 main=0 t v
  for t in /proc/"$1"/task/*; do
    v=$(awk '{print $1}' "$t/schedstat")
    all=$((all + v))
    [ "${t##*/}" = "$1" ] && main=$v
  done
  echo "$all $main"
}

printf '%5s %9s %9s %9s %9s %8s %8s\n' round A_ms A_game B_ms B_game "B/A" "B/A_game"
: > "$work/ratios"
for round in $(seq "$rounds"); do
  order=("$a" "$b")
  [ $((round % 2)) -eq 0 ] && order=("$b" "$a")
  pids=()
  display=91
  for game in "${order[@]}"; do
    DISPLAY=":$display" "$game" --window --scale "$scale" --data "$(dirname "$game")/data" --input "$work/walk.txt" >/dev/null 2>&1 &
    pids+=($!)
    display=$((display + 1))
  done
  sleep 3
  read -r x0 xg0 < <(cpu_ns "${pids[0]}")
  read -r y0 yg0 < <(cpu_ns "${pids[1]}")
  sleep "$seconds"
  read -r x1 xg1 < <(cpu_ns "${pids[0]}")
  read -r y1 yg1 < <(cpu_ns "${pids[1]}")
  kill "${pids[@]}" 2>/dev/null
  wait "${pids[@]}" 2>/dev/null || true
  # Back in A, B order.
  if [ $((round % 2)) -eq 0 ]; then
    set -- $(( (y1 - y0) / 1000000 )) $(( (yg1 - yg0) / 1000000 )) $(( (x1 - x0) / 1000000 )) $(( (xg1 - xg0) / 1000000 ))
  else
    set -- $(( (x1 - x0) / 1000000 )) $(( (xg1 - xg0) / 1000000 )) $(( (y1 - y0) / 1000000 )) $(( (yg1 - yg0) / 1000000 ))
  fi
  awk -v r="$round" -v am="$1" -v ag="$2" -v bm="$3" -v bg="$4" 'BEGIN {
    printf "%5d %9d %9d %9d %9d %8.2f %8.2f\n", r, am, ag, bm, bg, bm / am, bg / ag }'
  awk -v am="$1" -v ag="$2" -v bm="$3" -v bg="$4" 'BEGIN { print bm / am, bg / ag }' >> "$work/ratios"
done
python3 - "$work/ratios" <<'PY'
import statistics, sys
rows = [tuple(map(float, l.split())) for l in open(sys.argv[1]) if l.strip()]
print(f"median B/A: {statistics.median(r[0] for r in rows):.2f} (game thread {statistics.median(r[1] for r in rows):.2f})")
PY
