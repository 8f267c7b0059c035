// The audio device: opened with the platform, silent when there is none.
#pragma once

namespace platform {

// Opens the mixer and synthesiser when `enabled`; false (and silence) when none is there.
bool audio_open(bool enabled);
void audio_close();

}  // namespace platform
