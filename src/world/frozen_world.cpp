// Enhanced play's still picture of the world behind the speech box: everything where it stood
// when the line came up, nothing moved or animated.
#include "world/hit_feedback.h"
#include "world/world.h"

void World::draw_frozen_world(bool with_hero) {
    Surface* back = &display.back_surface;
    draw_sprite(&key_sprite, back);
    draw_sprite(&cheese_sprite, back);
    draw_sprite(&player.arrow, back);
    if (deathcloud_sprite.anim_state != 1) draw_sprite(&deathcloud_sprite, back);
    for (int i = 0; i < pools.mole_count && i < POOL_SIZE; ++i) draw_sprite(&pools.moles[i].body, back);
    for (int i = 0; i < pools.wasp_count && i < POOL_SIZE; ++i) {
        draw_sprite(&pools.wasps[i].body, back);
        draw_sprite(&pools.wasps[i].stinger, back);
    }
    for (int i = 0; i < pools.pig_count && i < POOL_SIZE; ++i) draw_sprite(&pools.pigs[i].body, back);
    draw_sprite(&pools.mole_boss.body, back);
    draw_sprite(&pools.swine_boss.body, back);
    draw_sprite(&pools.wasp_boss.body, back);
    draw_sprite(&pools.wasp_boss.stinger, back);
    draw_sprite(&pools.swine_boss.spear, back);
    if (with_hero) draw_hero_on_top(player, false);  // the sword is put away while people talk
    draw_lives();
    draw_hud();
}
