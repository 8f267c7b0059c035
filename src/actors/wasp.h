// The wasp: the third ordinary enemy (level 3), carrying its own stinger.
#pragma once
#include "actors/enemy_base.h"

struct Wasp : EnemyBase {
    Sprite stinger;  // 32 x 32, frames 0 up, 1 down, 2 right, 3 left; facing its direction
    int32_t sting_phase = 0;  // wind-up frames before a sting, 0..4
    int32_t sting_cooldown = 0;  // frames waited for the next sting
    int32_t sting_interval = 40;
    int32_t hover[8] = {0, 1, 2, 1, 0, 7, 8, 9};  // animations 1 (down) and 0 (up)
    int32_t fly_left[4] = {7, 8, 9, 8};
    int32_t fly_right[4] = {0, 1, 2, 1};
    int32_t sting_down_right[4] = {3, 4, 5, 6};
    int32_t sting_up_left[4] = {10, 11, 12, 13};

    Wasp();
};

// Registers the six wasp animations on a body, selects animation 1 at speed 5.
void register_wasp_animations(Wasp* wasp);
// Resets the sting timing, makes the body with `make_body` (0 when it cannot), registers the
// animations, creates the stinger and draws the random phase and speed; 0 on failure. The wasp
// and the wasp boss differ only in their bodies.
int load_wasp_with_body(Wasp* wasp, int (*make_body)(Sprite* body));
// Creates the body from "Wasp.BMP" and the stinger; 0 on failure.
int load_wasp(Wasp* wasp);
// Creates a hidden stinger from "stinger.BMP"; 0 on failure.
int load_stinger(Sprite* stinger);
// Launches the stinger straight at the hero along the farther axis (see launch_at_hero).
void fire_stinger(Wasp* wasp, const Sprite* hero);
// One frame of steering and of the sting cycle: `blocked` is whether the body overlaps a solid
// tile now. A sting comes 45 frames after the last stinger came down: 40 frames of waiting,
// then the sting animation, and the stinger leaves four frames later.
void update_wasp(Wasp* wasp, bool blocked, const Sprite* hero);
