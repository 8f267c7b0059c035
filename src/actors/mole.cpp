// The mole's loading and its command-table steering.
#include "actors/mole.h"

#include "base/game_random.h"

namespace {
constexpr int32_t MOLE_MOVES[6][MOVE_TABLE_STEPS] = {
    {MOVE_DOWN, MOVE_STOP, MOVE_RIGHT, MOVE_UP},  {MOVE_UP, MOVE_STOP, MOVE_RIGHT, MOVE_DOWN},
    {MOVE_UP, MOVE_UP, MOVE_STOP, MOVE_DOWN},     {MOVE_DOWN, MOVE_DOWN, MOVE_STOP, MOVE_UP},
    {MOVE_LEFT, MOVE_DOWN, MOVE_STOP, MOVE_RIGHT}, {MOVE_RIGHT, MOVE_UP, MOVE_STOP, MOVE_LEFT},
};
// How close the hero must be (pixels, signed differences) for a mole to stop choosing.
constexpr float MOLE_NEAR = 50.0f;
}  // namespace

Mole::Mole() { fill_move_table(this, MOLE_MOVES); }

int load_mole(Mole* mole) {
    if (!PictureFile("mole.BMP").create_pool_sprite(&mole->body, 32, 32, 12, 4, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM)) return 0;
    load_walk_animations(&mole->body, mole->walk_down, mole->walk_left, mole->walk_right, mole->walk_up, 5);
    mole->body.counter_1 = game_rand() % 4;
    mole->body.counter_2 = game_rand() % 5;
    mole->speed = game_rand() % 3;
    mole->body.x = 1500;
    mole->body.y = 1500;
    return 1;
}

void update_mole(Mole* mole, bool blocked, const Sprite* hero) {
    Sprite& b = mole->body;
    if (blocked) turn_back_out_of_wall(&b);
    tick_steering(mole, 6);
    const bool near = hero->x - b.x < MOLE_NEAR && hero->y - b.y < MOLE_NEAR;
    if (!near && (blocked || b.counter_2 == 16)) take_next_command(mole);
    apply_move_command(mole, mole->command, hero);
}
