// Aiming and launching the enemies' stingers and spears.
#include "actors/projectile.h"

#include <algorithm>
#include <cstdlib>

#include "audio/sound.h"
#include "audio/sound_ids.h"
#include "actors/enemy_base.h"
#include "base/play_mode.h"

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

int launch_volume(const Sprite* owner) {
    constexpr float SCREEN_WIDTH = 640, SCREEN_HEIGHT = 480;
    const float beyond_x = std::max({0.0f, -(owner->x + static_cast<float>(owner->width)), owner->x - SCREEN_WIDTH});
    const float beyond_y = std::max({0.0f, -(owner->y + static_cast<float>(owner->height)), owner->y - SCREEN_HEIGHT});
    const float beyond = std::max(beyond_x, beyond_y);
    if (beyond <= 0) return 100;
    if (!(beyond < LAUNCH_HEARD_BEYOND_EDGE)) return 0;
    return std::max(1, static_cast<int>(LAUNCH_OFF_SCREEN_VOLUME * (1 - beyond / LAUNCH_HEARD_BEYOND_EDGE)));
}

Direction aim_at_hero(const Sprite* owner, const Sprite* hero) {
    const int dx = whole_pixels(owner->x - hero->x);
    const int dy = whole_pixels(owner->y - hero->y);
    if (std::abs(dx) > std::abs(dy)) return dx >= 1 ? FACING_LEFT : FACING_RIGHT;
    return dy >= 1 ? FACING_UP : FACING_DOWN;
}

void launch_at_hero(Sprite* projectile, const Sprite* owner, const Sprite* hero) {
    const Direction direction = aim_at_hero(owner, hero);
    projectile->curr_frame = PROJECTILE_FRAME[direction];
    set_facing(*projectile, direction);
    show_sprite(projectile);
    set_sprite_position(projectile, whole_pixels(owner->x - PROJECTILE_LEFT_OFFSET), whole_pixels(owner->y));
    set_sprite_velocity(projectile, direction_dx(direction) * PROJECTILE_SPEED, direction_dy(direction) * PROJECTILE_SPEED);
    if (!enhanced_play()) {
        play_sound(sound_ids.arrow, 0);
        return;
    }
    // Enemies sting and throw from anywhere on the map; only those near the view are heard.
    const int volume = launch_volume(owner);
    if (volume > 0) play_sound_at_volume(sound_ids.arrow, 0, volume);
}
