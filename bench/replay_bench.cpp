// Timing of the committed whole-game run: every frame from the title to the last line of the
// story, as the replay test plays it, with the headless backend and no frame clock.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "bench_game.h"
#include "app/input_script.h"

static void BM_WholeGameReplay(benchmark::State& state) {
    std::ifstream in(std::string(QUILLMOOR_SOURCE_DIR) + "/tests/replays/whole_game.txt");
    std::stringstream text;
    text << in.rdbuf();
    InputScript script;
    std::string error;
    if (!parse_input_script(text.str(), script, error) || script.steps.empty()) {
        state.SkipWithError("the whole-game key script cannot be read");
        return;
    }
    long frames = 0;
    for (const ScriptStep& step : script.steps) frames += step.count;
    for (auto _ : state) {
        state.PauseTiming();
        const bool started = restart_headless_game();
        state.ResumeTiming();
        if (!started) {
            state.SkipWithError("the game did not start");
            return;
        }
        for (long frame = 1; frame <= frames; ++frame) headless_frame(script.keys_at(frame));
    }
    state.counters["frames"] = static_cast<double>(frames);
    state.counters["frames_per_second"] = benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_WholeGameReplay)->Unit(benchmark::kMillisecond)->Iterations(1);
