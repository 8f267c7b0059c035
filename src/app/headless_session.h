// The game started without a window, sound device or real clock: the one way the headless runner,
// the autopilot, the soak, the benchmarks and the tests start it and step it.
#pragma once
#include <string>

#include "base/play_mode.h"

enum SessionStart {
    SESSION_RUNNING,  // the platform and the game both started
    SESSION_GAME_FAILED,  // the platform runs, but the game's start-up failed (frames still run)
    SESSION_FAILED,  // the data folder could not be entered or the platform did not start
};

// Enters the data folder `data_dir` (empty: the working directory is the data folder already),
// starts the headless platform muted under `mode`, applies the open profile's settings, and
// starts the game.
SessionStart start_headless_session(PlayMode mode, const std::string& data_dir = "");
// One frame with the script keys `keys` (SCRIPT_KEY_* bits) held; false, with no frame run,
// once the game has asked to quit.
bool headless_frame(unsigned keys);
// Shuts the game and the platform down.
void stop_headless_session();
