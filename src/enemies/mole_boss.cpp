// The mole boss's record and loading.
#include "enemies/mole_boss.h"

#include "shell/loading.h"

namespace {
constexpr int32_t BOSS_MOVES[4][4] = {
    {MOVE_DOWN, MOVE_STOP, MOVE_RIGHT, MOVE_TOWARD_HERO_ACROSS},
    {MOVE_TOWARD_HERO_UP_DOWN, MOVE_STOP, MOVE_TOWARD_HERO_ACROSS, MOVE_STOP},
    {MOVE_UP, MOVE_LEFT, MOVE_STOP, MOVE_TOWARD_HERO_ACROSS},
    {MOVE_REVERSE, MOVE_STOP, MOVE_UP, MOVE_STOP},
};
}  // namespace

void fill_boss_moves(EnemyBase* enemy) {
    for (int r = 0; r < 4; ++r)
        for (int s = 0; s < 4; ++s) enemy->move_table[r][s] = BOSS_MOVES[r][s];
}

MoleBoss::MoleBoss() { fill_boss_moves(this); }

int load_mole_boss(MoleBoss* boss) {
    load_shared_bitmap("DorvikMole.BMP");
    if (!create_sprite(&boss->body, 0, 0, 64, 64, 10, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM,
                       SPRITE_MEMORY_SYSTEM, GAME_COLOUR_KEY, GAME_SPRITE_BPP))
        return 0;
    cut_sprite_frames(&boss->body, 10, 10);
    unload_bitmap_file(&bitmap_scratch);
    load_sprite_animation(&boss->body, 1, 4, boss->walk);
    load_sprite_animation(&boss->body, 6, 2, boss->stunned);
    load_sprite_animation(&boss->body, 7, 3, boss->digging);
    load_sprite_animation(&boss->body, 8, 3, boss->coming_up);
    load_sprite_animation(&boss->body, 9, 2, boss->mound);
    set_sprite_animation(&boss->body, 1);
    set_sprite_anim_speed(&boss->body, 5);
    boss->underground = 0;
    boss->speed = 5;
    return 1;
}
