// The swine boss's record, loading, steering and spear throws.
#include "enemies/swine_boss.h"

#include "enemies/mole_boss.h"
#include "enemies/projectile.h"
#include "shell/game_random.h"
#include "shell/loading.h"

SwineBoss::SwineBoss() { fill_boss_moves(this); }

int load_swine_boss(SwineBoss* boss) {
    boss->throw_counter = 0;
    boss->throw_interval = 20;
    load_shared_bitmap("LordHogrand.BMP");
    if (!create_sprite(&boss->body, 0, 0, 64, 64, 4, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM,
                       SPRITE_MEMORY_SYSTEM, GAME_COLOUR_KEY, GAME_SPRITE_BPP))
        return 0;
    cut_sprite_frames(&boss->body, 4, 4);
    unload_bitmap_file(&bitmap_scratch);
    load_shared_bitmap("spear.BMP");
    if (!create_sprite(&boss->spear, 0, 0, 64, 64, 4, SPRITE_ATTR_MULTI_ANIM, SPRITE_MEMORY_SYSTEM,
                       GAME_COLOUR_KEY, GAME_SPRITE_BPP))
        return 0;
    cut_sprite_frames(&boss->spear, 4, 4);
    unload_bitmap_file(&bitmap_scratch);
    load_sprite_animation(&boss->body, 1, 4, boss->walk);
    set_sprite_animation(&boss->body, 1);
    set_sprite_anim_speed(&boss->body, 5);
    boss->speed = 5;
    return 1;
}

void throw_spear(SwineBoss* boss, const Sprite* hero) { launch_at_hero(&boss->spear, &boss->body, hero); }

void update_swine_boss(SwineBoss* boss, bool blocked, const Sprite* hero) {
    Sprite& b = boss->body;
    if (blocked) {
        b.xv = -b.xv;
        b.yv = -b.yv;
        move_sprite(&b);
    }
    // Frames are counted only while the spear is down; it flies on the 21st.
    if (!(boss->spear.attr & SPRITE_ATTR_VISIBLE)) {
        if (boss->throw_counter == boss->throw_interval) {
            throw_spear(boss, hero);
            boss->throw_counter = 0;
        } else {
            boss->throw_counter += 1;
        }
    }
    if (b.counter_1 == 3) boss->pattern = (game_rand() + 1) % 4;
    b.counter_2 = (b.counter_2 + 1) % 32;
    // Like a pig, he acts only on the frame that takes a new command, and goes on as before on 6.
    if (!blocked && b.counter_2 != 16) return;
    boss->command = boss->move_table[boss->pattern][b.counter_1];
    b.counter_1 = (b.counter_1 + 1) % 4;
    if (boss->command != MOVE_TOWARD_HERO_UP_DOWN) apply_move_command(boss, boss->command, hero);
}
