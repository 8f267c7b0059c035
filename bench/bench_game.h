// Starts the game headless inside the generated data folder, for benchmarks.
#pragma once
#include <benchmark/benchmark.h>

#include "app/headless_session.h"
#include "game/game.h"

inline bool& headless_game_started() {
    static bool started = false;
    return started;
}

inline bool start_headless_game() {
    if (!headless_game_started())
        headless_game_started() = start_headless_session(PlayMode::Classic, QUILLMOOR_TEST_DATA_DIR) == SESSION_RUNNING;
    return headless_game_started();
}

// start_headless_game for a benchmark, which is skipped when the game does not start.
inline bool start_benchmark_game(benchmark::State& state) {
    if (start_headless_game()) return true;
    state.SkipWithError("the game did not start");
    return false;
}

// A fresh game, as a new start of the program has it.
inline bool restart_headless_game() {
    if (headless_game_started()) {
        stop_headless_session();
        headless_game_started() = false;
    }
    reset_game_globals();
    return start_headless_game();
}
