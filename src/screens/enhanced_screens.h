// Pictures only enhanced play shows: the Space key hint and the closing picture.
#pragma once
#include "graphics/sprite.h"
#include "world/space_hint.h"

struct EnhancedScreens {
    Sprite the_end;  // "TheEnd.BMP", 640 x 480: "The End" and the credits
};

extern EnhancedScreens enhanced_screens;

// Loads the Space key hint and the closing picture; a missing one is simply not drawn.
void load_enhanced_screens();
