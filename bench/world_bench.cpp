// Timing of a full playing frame of level 1 with 100 live moles on screen: map, hero,
// moles, HUD and the presentation of the frame.
#include <benchmark/benchmark.h>

#include "bench_game.h"
#include "world/world.h"

namespace {
// Puts every mole back on a 10 x 10 grid over the screen, alive and walking.
void crowd_the_screen() {
    for (int i = 0; i < POOL_SIZE; ++i) {
        Mole& m = world.pools.moles[i];
        m.body.x = static_cast<float>(20 + (i % 10) * 60);
        m.body.y = static_cast<float>(60 + (i / 10) * 40);
        m.alive = 1;
        m.hit_points = 1;
        show_sprite(&m.body);
    }
}
}  // namespace

static void BM_PlayingFrameHundredMoles(benchmark::State& state) {
    if (!start_benchmark_game(state)) return;
    world.start_new_game();
    world.dialog_box.speech_clear();
    game.current_level = 1;
    game.game_state = GAME_STATE_PLAYING;
    world.player.sword.anim_state = 1;
    for (auto _ : state) {
        state.PauseTiming();
        crowd_the_screen();
        world.player.hit_points = 5;
        world.player.lives = 10;
        game.game_state = GAME_STATE_PLAYING;
        state.ResumeTiming();
        game_main();
    }
}
BENCHMARK(BM_PlayingFrameHundredMoles)->Unit(benchmark::kMicrosecond);
