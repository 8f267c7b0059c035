// The swine boss of level 2: walks like a pig and throws a spear at the hero.
#pragma once
#include "actors/enemy_base.h"

struct SwineBoss : EnemyBase {
    Sprite spear;  // 64 x 64, frames 0 up, 1 down, 2 right, 3 left; facing its direction
    int32_t walk[4] = {0, 1, 0, 2};  // animation 1
    int32_t throw_counter = 0;  // frames counted while the spear is down
    int32_t throw_interval = 20;

    SwineBoss();
};

// Creates the body from "LordHogrand.BMP" and the hidden spear from "spear.BMP"; 0 on failure.
int load_swine_boss(SwineBoss* boss);
// Throws the spear straight at the hero along the farther axis (see launch_at_hero).
void throw_spear(SwineBoss* boss, const Sprite* hero);
// One frame of steering and of the spear cycle: `blocked` is whether the 64 x 64 body overlaps a
// solid tile now.
void update_swine_boss(SwineBoss* boss, bool blocked, const Sprite* hero);
