// The game's sound-effect ids.
#include "audio/sound_ids.h"

SoundIds sound_ids;

void reset_sound_ids() { sound_ids = SoundIds{}; }
