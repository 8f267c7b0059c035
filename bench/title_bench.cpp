// Timings of a title frame and of a frame's worth of keyed sprite blits plus presenting.
#include <benchmark/benchmark.h>

#include "bench_game.h"
#include "graphics/display.h"
#include "graphics/sprite.h"

static void BM_TitleFrame(benchmark::State& state) {
    if (!start_benchmark_game(state)) return;
    game.game_state = GAME_STATE_TITLE;
    for (auto _ : state) game_main();
}
BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMicrosecond);

// 336 keyed 32 x 32 blits cover a 640 x 480 screen about 1.1 times, like a busy play frame.
static void BM_KeyedBlitsAndPresent(benchmark::State& state) {
    if (!start_benchmark_game(state)) return;
    Sprite sprite;
    create_sprite(&sprite, 0, 0, 32, 32, 1, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_SINGLE_FRAME, SPRITE_MEMORY_SYSTEM, 0, 8);
    Surface& frame = *sprite.frames[0];
    for (int i = 0; i < 32 * 32; ++i) frame.pixels[i] = static_cast<uint8_t>((i * 7) % 5 == 0 ? 0 : 16 + i % 200);
    for (auto _ : state) {
        for (int i = 0; i < 336; ++i) {
            sprite.x = static_cast<float>((i % 21) * 31 - 8);
            sprite.y = static_cast<float>((i / 21) * 31 - 8);
            draw_sprite(&sprite, &display.back_surface);
        }
        flip_display();
    }
}
BENCHMARK(BM_KeyedBlitsAndPresent)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
