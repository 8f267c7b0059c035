// How actors walk: their walking animations, steering by a move table, turning back from a wall.
#include "actors/enemy_base.h"

#include "base/game_random.h"

namespace {
constexpr int32_t WALKER_MOVES[4][4] = {
    {MOVE_DOWN, MOVE_STOP, MOVE_RIGHT, MOVE_TOWARD_HERO_ACROSS},
    {MOVE_TOWARD_HERO_UP_DOWN, MOVE_STOP, MOVE_TOWARD_HERO_ACROSS, MOVE_STOP},
    {MOVE_UP, MOVE_LEFT, MOVE_STOP, MOVE_TOWARD_HERO_ACROSS},
    {MOVE_REVERSE, MOVE_STOP, MOVE_UP, MOVE_STOP},
};
}  // namespace

void fill_walker_moves(EnemyBase* enemy) { fill_move_table(enemy, WALKER_MOVES); }

void tick_steering(EnemyBase* enemy, int rows) {
    Sprite& b = enemy->body;
    if (b.counter_1 == 3) enemy->pattern = (game_rand() + 1) % rows;
    b.counter_2 = (b.counter_2 + 1) % 32;
}

void take_next_command(EnemyBase* enemy) {
    Sprite& b = enemy->body;
    enemy->command = enemy->move_table[enemy->pattern][b.counter_1];
    b.counter_1 = (b.counter_1 + 1) % 4;
}

void apply_move_command(EnemyBase* enemy, int32_t command, const Sprite* hero) {
    Sprite& b = enemy->body;
    const float s = static_cast<float>(enemy->speed);
    switch (command) {
    case MOVE_DOWN:
        b.yv = s;
        b.xv = 0;
        break;
    case MOVE_UP:
        b.yv = -s;
        b.xv = 0;
        break;
    case MOVE_RIGHT:
        b.xv = s;
        b.yv = 0;
        break;
    case MOVE_LEFT:
        b.xv = -s;
        b.yv = 0;
        break;
    case MOVE_STOP:
        b.xv = 0;
        b.yv = 0;
        break;
    case MOVE_TOWARD_HERO_ACROSS:
        b.xv = hero->x > b.x ? s : -s;
        b.yv = 0;
        break;
    case MOVE_TOWARD_HERO_UP_DOWN:
        b.yv = hero->y > b.y ? s : -s;
        b.xv = 0;
        break;
    case MOVE_REVERSE:
        b.xv = -b.xv;
        b.yv = -b.yv;
        break;
    default:
        break;
    }
}

void load_walk_animations(Sprite* body, const int32_t* down, const int32_t* left, const int32_t* right, const int32_t* up,
                          int speed) {
    load_sprite_animation(body, FACING_DOWN, 4, down);
    load_sprite_animation(body, FACING_LEFT, 4, left);
    load_sprite_animation(body, FACING_RIGHT, 4, right);
    load_sprite_animation(body, FACING_UP, 4, up);
    set_sprite_animation(body, FACING_DOWN);
    set_sprite_anim_speed(body, speed);
}

void turn_back_out_of_wall(Sprite* body) {
    body->xv = -body->xv;
    body->yv = -body->yv;
    move_sprite(body);
}
