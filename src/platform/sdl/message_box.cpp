// The one message box the game shows: why it cannot start.
#include <SDL.h>

#include <cstdio>

#include "platform/platform.h"

namespace platform {

void show_error_box(const char* text) {
    // With the video system up SDL picks the display's own message box first.
    const bool video = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Quillmoor", text, nullptr) != 0)
        std::fprintf(stderr, "quillmoor: cannot show a message box: %s\n", SDL_GetError());
    if (video) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace platform
