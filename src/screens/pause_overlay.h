// Enhanced play's pause overlay: the world shaded behind a framed box of Resume, Options and
// Quit to title, chosen with the sword pointer.
#pragma once
#include "graphics/sprite.h"

enum PauseChoice : int {
    PAUSE_CHOICE_RESUME = 0,
    PAUSE_CHOICE_OPTIONS = 1,  // offered to players with a profile, as on the title
    PAUSE_CHOICE_QUIT = 2,  // back to the title, where RESUME goes on with the game
    PAUSE_CHOICE_COUNT = 3,
};

// Draws over what the back surface holds: a shade, the box, its entries and `pointer` beside
// `choice`; without options their entry is greyed.
void draw_pause_overlay(int choice, bool offers_options, Sprite& pointer);
