// The mole: the first and simplest enemy, steered by its command table.
#pragma once
#include "actors/enemy_base.h"

struct Mole : EnemyBase {
    int32_t walk_down[4] = {0, 1, 0, 2};
    int32_t walk_left[4] = {9, 10, 9, 11};
    int32_t walk_right[4] = {6, 7, 6, 8};
    int32_t walk_up[4] = {3, 4, 3, 5};

    Mole();
};

// Creates the body from "mole.BMP" and draws its random phase and speed; 0 when the sprite
// cannot be created.
int load_mole(Mole* mole);
// One frame of steering: `blocked` is whether the body overlaps a solid tile now.
void update_mole(Mole* mole, bool blocked, const Sprite* hero);
