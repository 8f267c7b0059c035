// The mole boss of level 1: stunned by hits, digs in and chases the hero underground.
#pragma once
#include "actors/enemy_base.h"

// Animations of the body.
constexpr int MOLE_BOSS_ANIM_WALK = 1;
constexpr int MOLE_BOSS_ANIM_STUNNED = 6;
constexpr int MOLE_BOSS_ANIM_DIGGING = 7;
constexpr int MOLE_BOSS_ANIM_COMING_UP = 8;
constexpr int MOLE_BOSS_ANIM_MOUND = 9;
// Frames of stun after each hit, and the stun frame from which he digs in.
constexpr int32_t MOLE_BOSS_STUN_FRAMES = 32;
constexpr int32_t MOLE_BOSS_DIG_IN_AT = 2;

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

// Creates the 64 x 64 body from "DorvikMole.BMP"; 0 on failure.
int load_mole_boss(MoleBoss* boss);
// One frame of steering: `blocked` is whether the 64 x 64 body overlaps a solid tile now. While
// stunned he stands; at the end of the stun he digs in for 0..499 frames (enhanced play: 0..89),
// chasing the hero diagonally between table commands, and comes up when that time has run out.
void update_mole_boss(MoleBoss* boss, bool blocked, const Sprite* hero);
