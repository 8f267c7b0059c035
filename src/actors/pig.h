// The pig: the second ordinary enemy (levels 2 and 3).
#pragma once
#include "actors/enemy_base.h"

struct Pig : EnemyBase {
    int32_t walk_down[4] = {0, 1, 0, 2};
    int32_t walk_left[4] = {9, 10, 9, 11};
    int32_t walk_right[4] = {6, 7, 6, 8};
    int32_t walk_up[4] = {3, 4, 3, 5};

    Pig();
};

// Creates the body from "Pig.BMP" and draws its random phase and speed; 0 on failure.
int load_pig(Pig* pig);
// One frame of steering: `blocked` is whether the body overlaps a solid tile now.
void update_pig(Pig* pig, bool blocked, const Sprite* hero);
