// The two ways to run the game: the real loop in a window, and the headless runner.
#pragma once
#include <functional>
#include <string>

#include "app/input_script.h"
#include "app/options.h"

// Both return the process exit status.
int run_game(const Options& options);
int run_headless(const Options& options);

// The headless session both runners share: starts the game without a window in `mode`, runs at most
// `frames` frames of the script's keys, calling `after_frame(frame)` after each (frames count
// from 1), then fills `state_json` with the state report and shuts the game down.
// Returns false only when the platform could not start.
bool run_script_headless(InputScript& script, long frames, PlayMode mode, const std::function<void(long)>& after_frame,
                         std::string& state_json);

// One pass of the window's loop after the events: a game frame, or, while the window has
// lost the focus, a short wait with the music and sounds paused. In enhanced play the pass
// as the focus goes still runs its frame, which pauses the game. True when a frame ran.
bool window_pass();
// Whether the next window_pass runs a game frame (and so whether its keys are recorded).
bool pass_runs_frame();
