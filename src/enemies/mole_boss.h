// The mole boss of level 1: stunned by hits, digs in and chases the hero underground.
#pragma once
#include "enemies/enemy_base.h"

struct MoleBoss : EnemyBase {
    int32_t walk[4] = {0, 1, 0, 2};  // animation 1
    int32_t stunned[2] = {0, 3};  // animation 6
    int32_t digging[3] = {5, 6, 7};  // animation 7
    int32_t coming_up[3] = {6, 5, 0};  // animation 8
    int32_t mound[2] = {8, 9};  // animation 9
    uint8_t underground = 0;
    int32_t underground_timer = 0;  // frames left underground

    MoleBoss();
};

// Fills the four-row table that the pig-like walkers (pig, bosses) share.
void fill_boss_moves(EnemyBase* enemy);
// Creates the 64 x 64 body from "DorvikMole.BMP"; 0 on failure.
int load_mole_boss(MoleBoss* boss);
