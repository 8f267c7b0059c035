#!/usr/bin/env bash
# Measures the game in a real window beside a software-rendered peer (chocolate-doom with
# Freedoom), under Xvfb with sound going to a null file: CPU share of one core, resident
# memory, time to the first presented frame and frame pacing, at 640x480, 1280x960 and full
# screen 1920x1080, 20 s each. For measuring only; not part of CI.
#
#   scripts/measure-window.sh [--seconds N] [--sizes "640x480 1280x960 fullscreen"]
#                             [--before OLD_BINARY] [--rounds N] [BINARY]
#   scripts/measure-window.sh --pair OLD_BINARY [--rounds N] [--seconds N] [BINARY]
#
# BINARY defaults to build/quillmoor; --before adds a column for an older build of the game,
# run in the same pass so the two can be compared on a busy machine; with --rounds N each size
# is measured N times, the programs taking turns, and a last line per size gives the median CPU
# of each and the game's share of the older build's. --pair instead runs the
# two builds at the same time, each on a display of its own, so that whatever else the machine
# does weighs on both alike: each round (15 s unless --seconds says) prints the CPU
# milliseconds of both (all threads, and the game thread alone) and the new one's share of the
# old one's, and the last line gives the median shares. The rounds alternate which starts first.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=""
sizes="640x480 1280x960 fullscreen"
before=""
pair=""
rounds=""
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --before) before="$2"; shift 2 ;;
    --sizes) sizes="$2"; shift 2 ;;
    --pair) pair="$2"; shift 2 ;;
    --rounds) rounds="$2"; shift 2 ;;
    *) break ;;
  esac
done
game="${1:-build/quillmoor}"
[ -n "$seconds" ] || { [ -n "$pair" ] && seconds=15 || seconds=20; }
[ -n "$rounds" ] || { [ -n "$pair" ] && rounds=6 || rounds=1; }
data="$(dirname "$game")/data"

bash scripts/apt-install.sh xvfb chocolate-doom freedoom gcc python3
peer=/usr/games/chocolate-doom
iwad=/usr/share/games/doom/freedoom2.wad

work="$(mktemp -d)"
xvfb_pids=()
trap 'kill "${xvfb_pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT

# A preloaded shim logs the time of every presented frame, whichever SDL call presents it.
cat > "$work/present_log.c" <<'C'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
static FILE* out;
static double start_ms;
static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}
/* Times count from PRESENT_T0 (ms since the epoch, taken just before the program was started),
   so the first frame's time includes loading the program and its libraries. */
__attribute__((constructor)) static void begin(void) {
    const char* t0 = getenv("PRESENT_T0");
    start_ms = t0 ? atof(t0) : now_ms();
    const char* path = getenv("PRESENT_LOG");
    if (path) out = fopen(path, "w");
}
static void stamp(void) {
    static int n;
    if (!out) return;
    fprintf(out, "%.3f\n", now_ms() - start_ms);
    if (++n % 16 == 0 || n == 1) fflush(out);
}
#define HOOK(ret, name, params, args)                          \
    ret name params {                                          \
        static ret(*real) params;                              \
        if (!real) real = (ret(*) params)dlsym(RTLD_NEXT, #name); \
        ret result = real args;                                \
        stamp();                                               \
        return result;                                         \
    }
HOOK(int, SDL_UpdateWindowSurface, (void* w), (w))
HOOK(int, SDL_UpdateWindowSurfaceRects, (void* w, const void* rects, int n), (w, rects, n))
void SDL_RenderPresent(void* r) {
    static void (*real)(void*);
    if (!real) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_RenderPresent");
    real(r);
    stamp();
}
void SDL_GL_SwapWindow(void* w) {
    static void (*real)(void*);
    if (!real) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    real(w);
    stamp();
}
C
gcc -O2 -shared -fPIC -o "$work/present_log.so" "$work/present_log.c" -ldl

# Two displays: in a pair, a game whose window is not focused would pause.
for d in 77 78; do
  Xvfb ":$d" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pids+=($!)
done
sleep 1
export DISPLAY=:77 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null HOME="$work"

# Walks level 1 for the whole run, with sound and music.
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

# pair_round N: both builds at once at 640x480; prints "old_ms old_game_ms new_ms new_game_ms".
pair_round() {
  local order=("$pair" "$game") pids=() display=77 bin
  [ $(($1 % 2)) -eq 0 ] && order=("$game" "$pair")
  for bin in "${order[@]}"; do
    DISPLAY=":$display" "$bin" --window --scale 1 --data "$(dirname "$bin")/data" --input "$work/walk.txt" >/dev/null 2>&1 &
    pids+=($!)
    display=$((display + 1))
  done
  sleep 3
  local x0 xg0 y0 yg0 x1 xg1 y1 yg1
  read -r x0 xg0 < <(cpu_ns "${pids[0]}")
  read -r y0 yg0 < <(cpu_ns "${pids[1]}")
  sleep "$seconds"
  read -r x1 xg1 < <(cpu_ns "${pids[0]}")
  read -r y1 yg1 < <(cpu_ns "${pids[1]}")
  kill "${pids[@]}" 2>/dev/null
  wait "${pids[@]}" 2>/dev/null || true
  local first="$(( (x1 - x0) / 1000000 )) $(( (xg1 - xg0) / 1000000 ))" second="$(( (y1 - y0) / 1000000 )) $(( (yg1 - yg0) / 1000000 ))"
  if [ $(($1 % 2)) -eq 0 ]; then echo "$second $first"; else echo "$first $second"; fi
}

if [ -n "$pair" ]; then
  for round in $(seq "$rounds"); do pair_round "$round"; done > "$work/pairs"
  python3 - "$work/pairs" <<'PY'
import statistics, sys
rows = [list(map(int, l.split())) for l in open(sys.argv[1]) if l.strip()]
print(f"{'round':>5} {'old_ms':>7} {'old_game':>8} {'new_ms':>7} {'new_game':>8} {'new/old':>7} {'game':>6}")
for i, (om, og, nm, ng) in enumerate(rows, 1):
    print(f"{i:5d} {om:7d} {og:8d} {nm:7d} {ng:8d} {nm / om:7.2f} {ng / og:6.2f}")
print(f"median new/old: {statistics.median(r[2] / r[0] for r in rows):.2f} (game thread {statistics.median(r[3] / r[1] for r in rows):.2f})")
PY
  exit 0
fi

# run NAME SIZE COMMAND...: one 20 s run; prints "cpu% rss_mb startup_ms median_ms late40_permille frames".
run() {
  local name="$1" size="$2"; shift 2
  local log="$work/$name-$size.log"
  PRESENT_T0="$(date +%s%3N)" PRESENT_LOG="$log" LD_PRELOAD="$work/present_log.so" "$@" >/dev/null 2>&1 &
  local pid=$! hz=1000000000
  sleep 2
  local t0 c0 t1 c1 rss
  t0=$(date +%s.%N); c0=$(cpu_ns $pid | cut -d' ' -f1)
  sleep $((seconds - 2))
  t1=$(date +%s.%N); c1=$(cpu_ns $pid | cut -d' ' -f1)
  rss=$(awk '/VmRSS/{print $2}' /proc/$pid/status)
  kill $pid 2>/dev/null; wait $pid 2>/dev/null || true
  python3 - "$log" "$c0" "$c1" "$t0" "$t1" "$hz" "$rss" <<'PY'
import sys, statistics
log, c0, c1, t0, t1, hz, rss = sys.argv[1:]
ts = [float(l) for l in open(log) if l.strip()]
cpu = (float(c1) - float(c0)) / float(hz) / (float(t1) - float(t0)) * 100
steady = [t for t in ts if t > 2000]
gaps = [b - a for a, b in zip(steady, steady[1:])] or [0]
late = sum(g > 40 for g in gaps) * 1000 / len(gaps)
print(f"{cpu:6.2f} {int(rss) / 1024:6.1f} {ts[0] if ts else -1:7.0f} {statistics.median(gaps):6.1f} {late:5.1f} {len(ts):5d}")
PY
}

printf '%-10s %-10s %7s %7s %8s %7s %6s %6s\n' program size "cpu%" "rss_MB" "first_ms" "med_ms" ">40ms‰" frames
for size in $sizes; do
  case $size in
    640x480) gargs=(--window --scale 1); pargs=(-window -geometry 640x480) ;;
    1280x960) gargs=(--window --scale 2); pargs=(-window -geometry 1280x960) ;;
    fullscreen) gargs=(); pargs=(-fullscreen) ;;
  esac
  for round in $(seq "$rounds"); do
    if [ -n "$before" ]; then
      printf '%-10s %-10s %s\n' before "$size" "$(run before "$size" "$before" "${gargs[@]}" --data "$(dirname "$before")/data" --input "$work/walk.txt")"
    fi
    printf '%-10s %-10s %s\n' game "$size" "$(run game "$size" "$game" "${gargs[@]}" --data "$data" --input "$work/walk.txt")"
    printf '%-10s %-10s %s\n' peer "$size" "$(SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 run peer "$size" "$peer" -iwad "$iwad" "${pargs[@]}")"
  done | tee "$work/table-$size"
  if [ "$rounds" -gt 1 ]; then
    python3 - "$work/table-$size" "$size" <<'PY'
import statistics, sys
cpu = {}
for line in open(sys.argv[1]):
    name, _, value = line.split()[:3]
    cpu.setdefault(name, []).append(float(value))
median = {name: statistics.median(v) for name, v in cpu.items()}
share = f", game/before {median['game'] / median['before']:.2f}" if "before" in median else ""
print(f"median cpu% at {sys.argv[2]}: " + ", ".join(f"{n} {m:.2f}" for n, m in median.items()) + share)
PY
  fi
done
