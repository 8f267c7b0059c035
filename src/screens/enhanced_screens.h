// Pictures only enhanced play shows: the Space key hint and the closing picture.
#pragma once
#include "graphics/sprite.h"

struct EnhancedScreens {
    Sprite space_key;  // "SpaceKey.BMP", 64 x 24
    Sprite the_end;  // "TheEnd.BMP", 640 x 480: "The End" and the credits
};

extern EnhancedScreens enhanced_screens;

// Loads both pictures; a missing one is simply not drawn.
void load_enhanced_screens();
// The Space key cap with its top-left at (x, y), screen pixels.
void draw_space_hint(int x, int y);
