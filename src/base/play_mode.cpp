// The play mode of the running game.
#include "base/play_mode.h"

PlayMode play_mode = PlayMode::Classic;

void reset_play_mode() { play_mode = PlayMode::Classic; }

const char* play_mode_name(PlayMode mode) { return mode == PlayMode::Enhanced ? "enhanced" : "classic"; }
