// The play mode: classic plays exactly as first designed; enhanced adds player comforts.
#pragma once

enum class PlayMode { Classic, Enhanced };

// The mode of the running game. Classic until the game sets it from the command line;
// reset_play_mode puts it back (tests run many games in one process).
extern PlayMode play_mode;

inline bool enhanced_play() { return play_mode == PlayMode::Enhanced; }
void reset_play_mode();
// "classic" or "enhanced", as the command line and the state report spell it.
const char* play_mode_name(PlayMode mode);
