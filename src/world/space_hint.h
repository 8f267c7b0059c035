// The Space key cap that enhanced play shows wherever Space moves things on: beside speech,
// on the progress map and over the end scene.
#pragma once
#include "graphics/sprite.h"

extern Sprite space_hint;  // "SpaceKey.BMP", 64 x 24

// A picture that cannot be read leaves the sprite blank, so it is simply not drawn.
void load_space_hint();
// The key cap with its top-left at (x, y), screen pixels.
void draw_space_hint(int x, int y);
