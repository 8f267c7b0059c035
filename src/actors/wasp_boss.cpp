// The wasp boss's loading and steering.
#include "actors/wasp_boss.h"

#include "base/game_random.h"

int load_wasp_boss(WaspBoss* boss) {
    boss->sting_phase = 0;
    boss->sting_cooldown = 0;
    boss->sting_interval = 40;
    if (!load_sprite_sheet(&boss->body, "KingVespro.BMP", 64, 64, 14, 7, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM)) return 0;
    register_wasp_animations(boss);
    boss->body.x = 1500;
    boss->body.y = 1500;
    if (!load_stinger(&boss->stinger)) return 0;
    boss->body.counter_1 = game_rand() % 4;
    boss->body.counter_2 = game_rand() % 5;
    boss->speed = (game_rand() + 3) % 7;
    return 1;
}

void update_wasp_boss(WaspBoss* boss, bool blocked, const Sprite* hero) { update_wasp(boss, blocked, hero); }
