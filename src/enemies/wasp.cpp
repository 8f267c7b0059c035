// The wasp's record and loading.
#include "enemies/wasp.h"

#include "shell/game_random.h"
#include "shell/loading.h"

namespace {
constexpr int32_t WASP_MOVES[4][4] = {
    {MOVE_DOWN, MOVE_STOP, MOVE_RIGHT, MOVE_TOWARD_HERO_ACROSS},
    {MOVE_TOWARD_HERO_UP_DOWN, MOVE_STOP, MOVE_TOWARD_HERO_ACROSS, MOVE_STOP},
    {MOVE_UP, MOVE_LEFT, MOVE_STOP, MOVE_TOWARD_HERO_ACROSS},
    {MOVE_REVERSE, MOVE_STOP, MOVE_UP, MOVE_STOP},
};
}  // namespace

void fill_wasp_moves(EnemyBase* enemy) {
    for (int r = 0; r < 4; ++r)
        for (int s = 0; s < 4; ++s) enemy->move_table[r][s] = WASP_MOVES[r][s];
}

Wasp::Wasp() { fill_wasp_moves(this); }

void register_wasp_animations(Wasp* wasp) {
    load_sprite_animation(&wasp->body, 1, 8, wasp->hover);
    load_sprite_animation(&wasp->body, 0, 8, wasp->hover);
    load_sprite_animation(&wasp->body, 2, 4, wasp->fly_left);
    load_sprite_animation(&wasp->body, 3, 4, wasp->fly_right);
    load_sprite_animation(&wasp->body, 4, 4, wasp->sting_down_right);
    load_sprite_animation(&wasp->body, 5, 4, wasp->sting_up_left);
    set_sprite_animation(&wasp->body, 1);
    set_sprite_anim_speed(&wasp->body, 5);
}

int load_stinger(Sprite* stinger) {
    load_shared_bitmap("stinger.BMP");
    if (!create_sprite(stinger, 0, 0, 32, 32, 4, SPRITE_ATTR_MULTI_ANIM, SPRITE_MEMORY_SYSTEM, GAME_COLOUR_KEY,
                       GAME_SPRITE_BPP))
        return 0;
    cut_sprite_frames(stinger, 4, 4);
    unload_bitmap_file(&bitmap_scratch);
    return 1;
}

int load_wasp(Wasp* wasp) {
    wasp->sting_phase = 0;
    wasp->sting_cooldown = 0;
    wasp->sting_interval = 40;
    load_shared_bitmap("Wasp.BMP");
    if (!create_sprite(&wasp->body, 0, 0, 32, 32, 14, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM,
                       SPRITE_MEMORY_SYSTEM, GAME_COLOUR_KEY, GAME_SPRITE_BPP))
        return 0;
    cut_sprite_frames(&wasp->body, 14, 7);
    unload_bitmap_file(&bitmap_scratch);
    register_wasp_animations(wasp);
    wasp->body.x = 1500;
    wasp->body.y = 1500;
    if (!load_stinger(&wasp->stinger)) return 0;
    wasp->body.counter_1 = game_rand() % 4;
    wasp->body.counter_2 = game_rand() % 5;
    wasp->speed = (game_rand() + 3) % 7;
    return 1;
}
