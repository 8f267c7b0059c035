// Browsers keep sound silent until the player's first gesture; the keyboard calls this on every key.
#pragma once

namespace platform {

// Resumes the page's audio context when it is still waiting; cheap once it runs.
void web_audio_unlock();

}  // namespace platform
