// Silent audio device until the mixer is wired in.
#include "platform/audio.h"

namespace platform {

bool audio_open(bool) { return false; }
void audio_close() {}

}  // namespace platform
