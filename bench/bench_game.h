// Starts the game headless inside the generated data folder, for benchmarks.
#pragma once
#include <filesystem>

#include "platform/platform.h"
#include "shell/game.h"

inline bool start_headless_game() {
    static bool started = false;
    if (started) return true;
    std::filesystem::current_path(QUILLMOOR_TEST_DATA_DIR);
    platform::Config config;
    config.backend = platform::Backend::Headless;
    config.mute = true;
    if (!platform::init(config) || !game_init()) return false;
    started = true;
    return true;
}
