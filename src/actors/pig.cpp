// The pig's record and loading.
#include "actors/pig.h"

#include "base/game_random.h"

Pig::Pig() { fill_walker_moves(this); }

int load_pig(Pig* pig) {
    if (!PictureFile("Pig.BMP").create_pool_sprite(&pig->body, 32, 32, 12, 4, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM)) return 0;
    load_walk_animations(&pig->body, pig->walk_down, pig->walk_left, pig->walk_right, pig->walk_up, 5);
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
    tick_steering(pig, 4);
    // Unlike the mole, a pig only acts on the frame that takes a new command.
    if (!blocked && b.counter_2 != 16) return;
    take_next_command(pig);
    // A pig goes on as before on command 6.
    if (pig->command != MOVE_TOWARD_HERO_UP_DOWN) apply_move_command(pig, pig->command, hero);
}
