// A whole walking frame of level 1 with its real enemies, presented as a window at scale 1
// would show it, beside the physical floor of a frame: one copy of the 640 x 480 picture
// and one palette conversion of it. The ratio of the two is what to watch.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench_game.h"
#include "graphics/display.h"
#include "platform/frame_convert.h"
#include "platform/keyboard.h"
#include "world/world.h"

namespace {

constexpr int W = 640, H = 480;

// Holds one arrow key: right for 96 frames, then left for 96, so the hero walks and the view
// scrolls both ways over the same stretch of level 1.
void hold_walking_key(int64_t frame) {
    platform::KeyboardSnapshot keys{};
    keys.virtual_down[(frame / 96) % 2 == 0 ? platform::VK_RIGHT : platform::VK_LEFT] = true;
    platform::set_keyboard_snapshot(keys);
}

}  // namespace

static void BM_PlayingFrameWalkingLevel1(benchmark::State& state) {
    if (!start_benchmark_game(state)) return;
    world.start_new_game();
    game.current_level = 1;
    std::vector<uint32_t> window(static_cast<size_t>(W) * H);
    int64_t frame = 0;
    for (auto _ : state) {
        // The story's lines would freeze the world, and the moles would end the walk.
        world.dialog_box.speech_clear();
        world.player.hit_points = 5;
        world.player.lives = 10;
        game.game_state = GAME_STATE_PLAYING;
        hold_walking_key(frame++);
        game_main();
        uint32_t lookup[256];
        platform::argb_lookup(display.palette_entries, lookup);
        platform::convert_frame_scaled(display.back_surface, lookup, window.data(), W, 1);
        benchmark::DoNotOptimize(window.data());
    }
    platform::clear_keyboard_snapshot();
}
BENCHMARK(BM_PlayingFrameWalkingLevel1)->Unit(benchmark::kMicrosecond);

// The least any frame can cost: the picture copied once and converted once, in tight loops.
static void BM_FrameFloorCopyAndConvert(benchmark::State& state) {
    std::vector<uint8_t> frame(static_cast<size_t>(W) * H), copy(frame.size());
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<uint8_t>(i * 7 + i / W);
    uint32_t lookup[256];
    for (int i = 0; i < 256; ++i) lookup[i] = 0xFF000000u | static_cast<uint32_t>(i * 0x010203);
    std::vector<uint32_t> out(frame.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), frame.data(), frame.size());
        benchmark::DoNotOptimize(copy.data());
        const uint8_t* src = copy.data();
        uint32_t* dst = out.data();
        for (size_t i = 0, n = copy.size(); i < n; ++i) dst[i] = lookup[src[i]];
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FrameFloorCopyAndConvert)->Unit(benchmark::kMicrosecond);
