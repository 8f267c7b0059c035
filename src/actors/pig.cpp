// The pig's record and loading.
#include "actors/pig.h"

#include "base/game_random.h"

namespace {
constexpr int32_t PIG_MOVES[4][4] = {
    {MOVE_DOWN, MOVE_STOP, MOVE_RIGHT, MOVE_TOWARD_HERO_ACROSS},
    {MOVE_TOWARD_HERO_UP_DOWN, MOVE_STOP, MOVE_TOWARD_HERO_ACROSS, MOVE_STOP},
    {MOVE_UP, MOVE_LEFT, MOVE_STOP, MOVE_TOWARD_HERO_ACROSS},
    {MOVE_REVERSE, MOVE_STOP, MOVE_UP, MOVE_STOP},
};
}  // namespace

Pig::Pig() {
    for (int r = 0; r < 4; ++r)
        for (int s = 0; s < 4; ++s) move_table[r][s] = PIG_MOVES[r][s];
}

int load_pig(Pig* pig) {
    if (!PictureFile("Pig.BMP").create_pool_sprite(&pig->body, 32, 32, 12, 4, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM)) return 0;
    load_sprite_animation(&pig->body, FACING_DOWN, 4, pig->walk_down);
    load_sprite_animation(&pig->body, FACING_LEFT, 4, pig->walk_left);
    load_sprite_animation(&pig->body, FACING_RIGHT, 4, pig->walk_right);
    load_sprite_animation(&pig->body, FACING_UP, 4, pig->walk_up);
    set_sprite_animation(&pig->body, FACING_DOWN);
    set_sprite_anim_speed(&pig->body, 5);
    pig->body.x = 1500;
    pig->body.y = 1500;
    pig->body.counter_1 = game_rand() % 4;
    pig->body.counter_2 = game_rand() % 5;
    pig->speed = (game_rand() + 3) % 5;
    return 1;
}

void update_pig(Pig* pig, bool blocked, const Sprite* hero) {
    Sprite& b = pig->body;
    if (blocked) turn_back_out_of_wall(&b);
    if (b.counter_1 == 3) pig->pattern = (game_rand() + 1) % 4;
    b.counter_2 = (b.counter_2 + 1) % 32;
    // Unlike the mole, a pig only acts on the frame that takes a new command.
    if (!blocked && b.counter_2 != 16) return;
    pig->command = pig->move_table[pig->pattern][b.counter_1];
    b.counter_1 = (b.counter_1 + 1) % 4;
    // A pig goes on as before on command 6.
    if (pig->command != MOVE_TOWARD_HERO_UP_DOWN) apply_move_command(pig, pig->command, hero);
}
