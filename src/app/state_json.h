// The headless runner's state report: one JSON object describing the game after a run.
#pragma once
#include <string>

std::string game_state_json();
