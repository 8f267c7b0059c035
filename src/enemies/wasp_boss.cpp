// The wasp boss's loading and steering.
#include "enemies/wasp_boss.h"

#include "shell/game_random.h"
#include "shell/loading.h"

int load_wasp_boss(WaspBoss* boss) {
    boss->sting_phase = 0;
    boss->sting_cooldown = 0;
    boss->sting_interval = 40;
    load_shared_bitmap("KingVespro.BMP");
    if (!create_sprite(&boss->body, 0, 0, 64, 64, 14, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM,
                       SPRITE_MEMORY_SYSTEM, GAME_COLOUR_KEY, GAME_SPRITE_BPP))
        return 0;
    cut_sprite_frames(&boss->body, 14, 7);
    unload_bitmap_file(&bitmap_scratch);
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
