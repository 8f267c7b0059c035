// The progress map shown before each level, with the hero's head marking the journey.
#pragma once
#include "graphics/sprite.h"

struct ProgressMap {
    Sprite map;
    Sprite head;
};

extern ProgressMap progress_map;

// Loads the map and the head; false when either sprite cannot be created.
bool load_progress_map();
// Head x on the map before a level: 250, 325, then 400 for anything else.
int progress_head_x(int current_level);
// Draws the map stretched over the screen and the head at its place.
void draw_progress_map(int current_level);
