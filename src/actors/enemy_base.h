// The actor record shared by the hero and every enemy, and the movement commands enemies steer by.
#pragma once
#include <cstdint>

#include "actors/facing.h"
#include "graphics/picture_file.h"
#include "graphics/sprite.h"

// Movement commands, the values of a move table.
enum MoveCommand : int32_t {
    MOVE_DOWN = 0,
    MOVE_UP = 1,
    MOVE_RIGHT = 2,
    MOVE_LEFT = 3,
    MOVE_STOP = 4,
    MOVE_TOWARD_HERO_ACROSS = 5,
    MOVE_TOWARD_HERO_UP_DOWN = 6,
    MOVE_REVERSE = 7,
};

constexpr int MOVE_TABLE_ROWS = 6;
constexpr int MOVE_TABLE_STEPS = 4;

struct EnemyBase {
    Sprite body;  // position and velocity in screen pixels
    int32_t hit_points = 0;
    uint8_t alive = 0;
    uint8_t hurt = 0;  // mole boss only: stunned after a hit
    uint8_t swing_spent = 0;  // enhanced play, swine and wasp bosses: the sword out now has hit him
    int32_t hurt_timer = 0;  // mole boss only: frames of stun left
    int32_t speed = 4;  // pixels per frame of every movement command
    int32_t pattern = 0;  // row of move_table in use
    int32_t command = 0;  // command last taken from move_table
    int32_t move_table[MOVE_TABLE_ROWS][MOVE_TABLE_STEPS] = {};
    int32_t flash_frames = 0;  // enhanced play: frames left of the white flash after a hit
    int32_t guard_frames = 0;  // enhanced play, swine and wasp bosses: frames left unhurtable after a hit
};

// Asks the memory for the parts of an enemy that every frame reads before the update reaches
// it: a pool of enemies outgrows the cache between frames, and each one's first read would
// otherwise wait for memory in turn.
inline void prefetch_enemy(const EnemyBase& enemy) {
    const char* body = reinterpret_cast<const char*>(&enemy.body);
    __builtin_prefetch(body);
    __builtin_prefetch(body + 64);
    __builtin_prefetch(&enemy.alive);
}

// Copies a kind's move table into the enemy; rows past the kind's own stay as they are.
template <int ROWS>
void fill_move_table(EnemyBase* enemy, const int32_t (&rows)[ROWS][MOVE_TABLE_STEPS]) {
    static_assert(ROWS <= MOVE_TABLE_ROWS);
    for (int r = 0; r < ROWS; ++r)
        for (int s = 0; s < MOVE_TABLE_STEPS; ++s) enemy->move_table[r][s] = rows[r][s];
}
// Fills the four-row table that the pig, the wasps and the bosses share.
void fill_walker_moves(EnemyBase* enemy);

// The frame's tick of the steering clock: on the last step of a row a new row is drawn
// (0..rows-1, one draw of the game's generator), and the body's counter_2 counts 0..31.
void tick_steering(EnemyBase* enemy, int rows);
// Takes the command at the current step of the row in use and moves on to the next step.
void take_next_command(EnemyBase* enemy);

// Sets the body's velocity from `command` and `speed` (commands 0..7; others change nothing).
// Command 6 heads up or down toward the hero; kinds that read it otherwise translate it first.
void apply_move_command(EnemyBase* enemy, int32_t command, const Sprite* hero);

// Registers a body's four walking animations by facing, four pictures each, and starts it facing
// down at one picture every `speed` frames.
void load_walk_animations(Sprite* body, const int32_t* down, const int32_t* left, const int32_t* right, const int32_t* up,
                          int speed);

// An enemy that walked into a wall turns round and takes one step back out of it.
void turn_back_out_of_wall(Sprite* body);
