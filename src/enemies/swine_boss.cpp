// The swine boss's record and loading.
#include "enemies/swine_boss.h"

#include "enemies/mole_boss.h"
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
