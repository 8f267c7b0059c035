// How the platform layer is started: which backend, window or full screen, and sound.
#pragma once

namespace platform {

enum class Backend { Window, Headless };

struct Config {
    Backend backend = Backend::Window;
    bool fullscreen = true;
    int scale = 2;  // window scale when not full screen
    bool mute = false;
};

}  // namespace platform
