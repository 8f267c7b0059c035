// One Playing frame (until the world lands: only Escape back to the title).
#include "platform/keyboard.h"
#include "shell/game.h"

void playing_frame() {
    if (platform::key_down(platform::VK_ESCAPE)) shell.game_state = GAME_STATE_TITLE;
}
