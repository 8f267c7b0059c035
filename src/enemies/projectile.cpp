// Aiming and launching the enemies' stingers and spears.
#include "enemies/projectile.h"

#include <cstdlib>

#include "audio/sound.h"
#include "audio/sound_ids.h"
#include "enemies/enemy_base.h"

namespace {
// Projectile frame per facing code (up, down, left, right): the sheets run up, down, right, left.
constexpr int32_t PROJECTILE_FRAME[4] = {0, 1, 3, 2};

// Truncates toward zero, keeping positions gone astray inside int range.
int whole_pixels(float v) {
    if (!(v > -1e8f)) return -100000000;
    if (v > 1e8f) return 100000000;
    return static_cast<int>(v);
}
}  // namespace

int32_t aim_at_hero(const Sprite* owner, const Sprite* hero) {
    const int dx = whole_pixels(owner->x - hero->x);
    const int dy = whole_pixels(owner->y - hero->y);
    if (std::abs(dx) > std::abs(dy)) return dx >= 1 ? FACING_LEFT : FACING_RIGHT;
    return dy >= 1 ? FACING_UP : FACING_DOWN;
}

void launch_at_hero(Sprite* projectile, const Sprite* owner, const Sprite* hero) {
    const int32_t direction = aim_at_hero(owner, hero);
    projectile->curr_frame = PROJECTILE_FRAME[direction];
    projectile->aux_3 = direction;
    show_sprite(projectile);
    set_sprite_position(projectile, whole_pixels(owner->x - PROJECTILE_LEFT_OFFSET), whole_pixels(owner->y));
    const int v = PROJECTILE_SPEED;
    switch (direction) {
    case FACING_UP:
        set_sprite_velocity(projectile, 0, -v);
        break;
    case FACING_DOWN:
        set_sprite_velocity(projectile, 0, v);
        break;
    case FACING_LEFT:
        set_sprite_velocity(projectile, -v, 0);
        break;
    default:
        set_sprite_velocity(projectile, v, 0);
        break;
    }
    play_sound(sound_ids.arrow, 0);
}
