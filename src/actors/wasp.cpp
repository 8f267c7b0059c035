// The wasp's record, loading, steering and sting cycle.
#include "actors/wasp.h"

#include "actors/projectile.h"
#include "base/game_random.h"

namespace {
// Sting animations: facing down or right, facing up or left.
constexpr int WASP_STING_DOWN_RIGHT = 4;
constexpr int WASP_STING_UP_LEFT = 5;
// The stinger leaves on this wind-up frame.
constexpr int32_t WASP_STING_RELEASE = 4;
// How close the hero must be (pixels, signed differences) for a wasp to favour rows 0 and 1.
constexpr float WASP_NEAR = 200.0f;
}  // namespace

Wasp::Wasp() { fill_walker_moves(this); }

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
    if (!PictureFile("stinger.BMP").create_pool_sprite(stinger, 32, 32, 4, 4, SPRITE_ATTR_MULTI_ANIM)) return 0;
    return 1;
}

int load_wasp_with_body(Wasp* wasp, int (*make_body)(Sprite* body)) {
    wasp->sting_phase = 0;
    wasp->sting_cooldown = 0;
    wasp->sting_interval = 40;
    if (!make_body(&wasp->body)) return 0;
    register_wasp_animations(wasp);
    wasp->body.x = 1500;
    wasp->body.y = 1500;
    if (!load_stinger(&wasp->stinger)) return 0;
    wasp->body.counter_1 = game_rand() % 4;
    wasp->body.counter_2 = game_rand() % 5;
    wasp->speed = (game_rand() + 3) % 7;
    return 1;
}

int load_wasp(Wasp* wasp) {
    return load_wasp_with_body(wasp, [](Sprite* body) {
        return PictureFile("Wasp.BMP").create_pool_sprite(body, 32, 32, 14, 7, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM);
    });
}

void fire_stinger(Wasp* wasp, const Sprite* hero) { launch_at_hero(&wasp->stinger, &wasp->body, hero); }

void update_wasp(Wasp* wasp, bool blocked, const Sprite* hero) {
    Sprite& b = wasp->body;
    if (blocked) turn_back_out_of_wall(&b);
    // The sting cycle runs only while the stinger is not in flight.
    if (!(wasp->stinger.attr & SPRITE_ATTR_VISIBLE)) {
        if (wasp->sting_cooldown != wasp->sting_interval) {
            wasp->sting_cooldown += 1;
        } else {
            if (wasp->sting_phase == 0) {
                const Direction d = facing(b);
                const bool down_or_right = d == FACING_DOWN || d == FACING_RIGHT;
                set_sprite_animation(&b, down_or_right ? WASP_STING_DOWN_RIGHT : WASP_STING_UP_LEFT);
            }
            if (wasp->sting_phase == WASP_STING_RELEASE) {
                fire_stinger(wasp, hero);
                wasp->sting_cooldown = 0;
                wasp->sting_phase = 0;
            } else {
                wasp->sting_phase += 1;
            }
        }
    }
    // A new row every frame; near the hero, at the last step, only the rows that close in.
    const bool near = hero->x - b.x < WASP_NEAR && hero->y - b.y < WASP_NEAR;
    if (b.counter_1 == 3 && near)
        wasp->pattern = (game_rand() + 5) % 2;
    else
        wasp->pattern = (game_rand() + 1) % 4;
    b.counter_2 = (b.counter_2 + 1) % 32;
    if (blocked || b.counter_2 == 16) take_next_command(wasp);
    // A wasp reads command 6 as "across toward the hero", and applies its command every frame.
    const int32_t command = wasp->command == MOVE_TOWARD_HERO_UP_DOWN ? MOVE_TOWARD_HERO_ACROSS : wasp->command;
    apply_move_command(wasp, command, hero);
}
