// The two ways to run the game: the real loop in a window, and the headless runner.
#pragma once
#include "shell/options.h"

// Both return the process exit status.
int run_game(const Options& options);
int run_headless(const Options& options);
