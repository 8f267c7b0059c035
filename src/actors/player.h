// The hero: his record, loading, sword and bow. Walking and the camera are World::move_player.
#pragma once
#include "actors/enemy_base.h"

// Direction passed to World::move_player when no arrow key is down.
constexpr int32_t MOVE_NONE = 4;
// Frames after a hit in which the hero cannot be hurt again.
constexpr int32_t INVULNERABLE_FRAMES = 32;
constexpr int32_t HERO_START_HIT_POINTS = 5;
constexpr int32_t HERO_START_LIVES = 10;

// The hero's hit points when full: HERO_START_HIT_POINTS, and more with the extra hearts assist.
int32_t hero_full_hit_points();

struct Player : EnemyBase {
    Sprite sword;  // 16 x 16, facing the way the current attack strikes
    Sprite arrow;  // 16 x 16, facing its flight direction
    uint8_t has_key = 0;
    uint8_t has_bow = 0;
    uint8_t invulnerable = 0;  // the body's counter_1 counts the frames since the hit
    int32_t lives = 0;
    int32_t walk_down[4] = {0, 1, 0, 2};
    int32_t walk_left[4] = {7, 8, 7, 9};
    int32_t walk_right[4] = {4, 5, 4, 6};
    int32_t walk_up[4] = {10, 11, 10, 12};
    int32_t sword_frames[8] = {0, 1, 2, 3, 4, 5, 6, 7};
};

// Creates the body, sword and arrow from "PLAYER.BMP", "SWORDATTACK.BMP" and "arrow.BMP";
// 0 at the first sprite that cannot be created.
int load_player(Player* player);
// One frame with A held: shows the sword in front of the hero and restarts its swing.
void swing_sword(Player* player);
// One frame with A up: hides the sword.
void sheathe_sword(Player* player);
// Advances the swing and draws the hero and his sword.
void draw_attacking_player(Player* player);
// Launches the one arrow in the facing direction at 16 pixels per frame.
void fire_arrow(Player* player);
