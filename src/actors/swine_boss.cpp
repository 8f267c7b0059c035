// The swine boss's record, loading, steering and spear throws.
#include "actors/swine_boss.h"

#include "actors/projectile.h"

SwineBoss::SwineBoss() { fill_walker_moves(this); }

int load_swine_boss(SwineBoss* boss) {
    boss->throw_counter = 0;
    boss->throw_interval = 20;
    if (!load_sprite_sheet(&boss->body, "LordHogrand.BMP", 64, 64, 4, 4, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM)) return 0;
    if (!load_sprite_sheet(&boss->spear, "spear.BMP", 64, 64, 4, 4, SPRITE_ATTR_MULTI_ANIM)) return 0;
    load_sprite_animation(&boss->body, 1, 4, boss->walk);
    set_sprite_animation(&boss->body, 1);
    set_sprite_anim_speed(&boss->body, 5);
    boss->speed = 5;
    return 1;
}

void throw_spear(SwineBoss* boss, const Sprite* hero) { launch_at_hero(&boss->spear, &boss->body, hero); }

void update_swine_boss(SwineBoss* boss, bool blocked, const Sprite* hero) {
    Sprite& b = boss->body;
    if (blocked) turn_back_out_of_wall(&b);
    // Frames are counted only while the spear is down; it flies on the 21st.
    if (!(boss->spear.attr & SPRITE_ATTR_VISIBLE)) {
        if (boss->throw_counter == boss->throw_interval) {
            throw_spear(boss, hero);
            boss->throw_counter = 0;
        } else {
            boss->throw_counter += 1;
        }
    }
    tick_steering(boss, 4);
    // Like a pig, he acts only on the frame that takes a new command, and goes on as before on 6.
    if (!blocked && b.counter_2 != 16) return;
    take_next_command(boss);
    if (boss->command != MOVE_TOWARD_HERO_UP_DOWN) apply_move_command(boss, boss->command, hero);
}
