// The progress map's stretching blits (the 320 x 240 map and the keyed 32 x 32 head, both
// doubled) beside a plain 640 x 480 picture blitted unscaled: the ratio is what to watch.
#include <benchmark/benchmark.h>

#include "bench_game.h"
#include "graphics/display.h"
#include "screens/progress_map.h"

static void BM_ProgressMapStretch2x(benchmark::State& state) {
    if (!start_benchmark_game(state)) return;
    for (auto _ : state) {
        draw_sprite_scaled(&progress_map.map, 640, 480, &display.back_surface);
        benchmark::DoNotOptimize(display.back_surface.pixels.data());
    }
}
BENCHMARK(BM_ProgressMapStretch2x)->Unit(benchmark::kMicrosecond);

// A hundred keyed doublings of the head: see-through margins and holes on every row.
static void BM_KeyedHeadStretch2xHundred(benchmark::State& state) {
    if (!start_benchmark_game(state)) return;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            set_sprite_position(&progress_map.head, (i % 10) * 60 + 3, (i / 10) * 44 + 1);
            draw_sprite_scaled(&progress_map.head, 64, 64, &display.back_surface);
        }
        benchmark::DoNotOptimize(display.back_surface.pixels.data());
    }
}
BENCHMARK(BM_KeyedHeadStretch2xHundred)->Unit(benchmark::kMicrosecond);

// The same 640 x 480 pixels written by an unscaled blit of an opaque picture: row copies.
static void BM_FullScreenPictureUnscaled(benchmark::State& state) {
    Surface picture, screen;
    platform::create_surface(picture, 640, 480);
    platform::create_surface(screen, 640, 480);
    for (size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = static_cast<uint8_t>(1 + i % 251);
    const platform::Rect whole{0, 0, 640, 480};
    for (auto _ : state) {
        platform::blit_keyed(screen, whole, picture, whole);
        benchmark::DoNotOptimize(screen.pixels.data());
    }
}
BENCHMARK(BM_FullScreenPictureUnscaled)->Unit(benchmark::kMicrosecond);
