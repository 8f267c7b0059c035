// The mole boss's record, loading and steering: stunned, dug in, chasing as a mound, up again.
#include "actors/mole_boss.h"

#include "base/game_random.h"
#include "base/play_mode.h"

MoleBoss::MoleBoss() { fill_walker_moves(this); }

int load_mole_boss(MoleBoss* boss) {
    if (!load_sprite_sheet(&boss->body, "DorvikMole.BMP", 64, 64, 10, 10, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM)) return 0;
    load_sprite_animation(&boss->body, MOLE_BOSS_ANIM_WALK, 4, boss->walk);
    load_sprite_animation(&boss->body, MOLE_BOSS_ANIM_STUNNED, 2, boss->stunned);
    load_sprite_animation(&boss->body, MOLE_BOSS_ANIM_DIGGING, 3, boss->digging);
    load_sprite_animation(&boss->body, MOLE_BOSS_ANIM_COMING_UP, 3, boss->coming_up);
    load_sprite_animation(&boss->body, MOLE_BOSS_ANIM_MOUND, 2, boss->mound);
    set_sprite_animation(&boss->body, MOLE_BOSS_ANIM_WALK);
    set_sprite_anim_speed(&boss->body, 5);
    boss->underground = 0;
    boss->speed = 5;
    return 1;
}

void update_mole_boss(MoleBoss* boss, bool blocked, const Sprite* hero) {
    Sprite& b = boss->body;
    if (boss->hurt) {
        // Stunned: standing still; in the last two frames of the stun he starts digging in.
        b.xv = 0;
        b.yv = 0;
        if (boss->hurt_timer <= MOLE_BOSS_DIG_IN_AT) {
            set_sprite_animation(&b, MOLE_BOSS_ANIM_DIGGING);
            boss->underground = 1;
            // Enhanced play keeps him down for 0..89 frames instead of 0..499, so that the first
            // boss's fight is the shortest of the three.
            boss->underground_timer = enhanced_play() ? (game_rand() + 30) % 90 : (game_rand() + 200) % 500;
        }
        return;
    }
    if (boss->underground) {
        boss->underground_timer -= 1;
        if (boss->underground_timer <= 0) {
            boss->underground = 0;
            set_sprite_animation(&b, MOLE_BOSS_ANIM_COMING_UP);
        }
    }
    if (blocked) turn_back_out_of_wall(&b);
    tick_steering(boss, 4);
    if (blocked || b.counter_2 == 16) {
        take_next_command(boss);
        apply_move_command(boss, boss->command, hero);
        return;
    }
    if (boss->underground) {
        // The mound heads for the hero on both axes at once.
        const float s = static_cast<float>(boss->speed);
        b.xv = hero->x > b.x ? s : -s;
        b.yv = hero->y > b.y ? s : -s;
    }
}
