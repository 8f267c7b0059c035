// The hero's loading, sword swing and bow.
#include "actors/player.h"

#include "audio/sound.h"
#include "audio/sound_ids.h"
#include "base/assists.h"
#include "base/play_mode.h"

namespace {
// Per facing (up, down, left, right).
constexpr int ATTACK_BODY_FRAME[4] = {14, 13, 16, 15};
constexpr int SWORD_FRAME[4] = {2, 0, 4, 6};
constexpr float SWORD_OFFSET_X[4] = {8, 10, -16, 32};
constexpr float SWORD_OFFSET_Y[4] = {-18, 32, 16, 16};
constexpr int ARROW_FRAME[4] = {0, 1, 3, 2};
constexpr int ARROW_SPEED = 16;  // pixels per frame
constexpr int ARROW_OFFSET = 6;

// The hero's facing as a safe table index.
Direction facing_index(const Sprite& body) { return is_direction(facing(body)) ? facing(body) : FACING_DOWN; }
}  // namespace

int32_t hero_full_hit_points() { return HERO_START_HIT_POINTS + (extra_hearts_assist() ? EXTRA_HEARTS : 0); }

int load_player(Player* player) {
    // The hero's first bitmap goes through a loading record of its own.
    BitmapFile own = {};
    if (load_bitmap_file(&own, "PLAYER.BMP") && !own.buffer.empty()) set_palette(own.palette);
    if (!create_sprite(&player->body, 0, 0, 32, 32, 24, SPRITE_ATTR_VISIBLE | SPRITE_ATTR_MULTI_ANIM,
                       SPRITE_MEMORY_SYSTEM, GAME_COLOUR_KEY, GAME_SPRITE_BPP))
        return 0;
    if (!own.buffer.empty())
        for (int i = 0; i < 24; ++i) load_sprite_frame(&player->body, &own, i, i % 10, i / 10, 0);
    unload_bitmap_file(&own);
    load_walk_animations(&player->body, player->walk_down, player->walk_left, player->walk_right, player->walk_up, 4);

    if (!load_sprite_sheet(&player->sword, "SWORDATTACK.BMP", 16, 16, 8, 4,
                           SPRITE_ATTR_VISIBLE | SPRITE_ATTR_ANIM_ONE_SHOT | SPRITE_ATTR_MULTI_ANIM))
        return 0;

    if (!load_sprite_sheet(&player->arrow, "arrow.BMP", 16, 16, 4, 4, SPRITE_ATTR_MULTI_ANIM)) return 0;

    load_sprite_animation(&player->sword, FACING_DOWN, 2, &player->sword_frames[0]);
    load_sprite_animation(&player->sword, FACING_UP, 2, &player->sword_frames[2]);
    load_sprite_animation(&player->sword, FACING_LEFT, 2, &player->sword_frames[4]);
    load_sprite_animation(&player->sword, FACING_RIGHT, 2, &player->sword_frames[6]);
    set_sprite_animation(&player->sword, FACING_DOWN);
    set_sprite_anim_speed(&player->sword, 2);
    set_sprite_position(&player->sword, 0, 0);
    player->has_key = 0;
    player->has_bow = 0;
    player->speed = 4;
    return 1;
}

void swing_sword(Player* player) {
    Sprite& body = player->body;
    Sprite& sword = player->sword;
    // The sword is out from the first frame A is held until A is let go: one swing.
    const bool swing_starts = !(sword.attr & SPRITE_ATTR_VISIBLE);
    sword.anim_state = -1;
    show_sprite(&sword);
    const Direction f = facing_index(body);
    body.curr_frame = ATTACK_BODY_FRAME[f];
    sword.curr_frame = SWORD_FRAME[f];
    set_facing(sword, facing(body));
    sword.x = body.x + SWORD_OFFSET_X[f];
    sword.y = body.y + SWORD_OFFSET_Y[f];
    set_sprite_animation(&sword, f);
    // Classic restarts the swish on every frame A is held (a buzz); enhanced plays it once a swing.
    if (swing_starts || !enhanced_play()) play_sound(sound_ids.use_sword, 0);
}

void sheathe_sword(Player* player) { hide_sprite(&player->sword); }

void draw_attacking_player(Player* player) {
    animate_sprite(&player->sword);
    // Enhanced play draws the hero and his sword after the enemies instead.
    if (enhanced_play()) return;
    draw_sprite(&player->body, &display.back_surface);
    draw_sprite(&player->sword, &display.back_surface);
}

void fire_arrow(Player* player) {
    Sprite& body = player->body;
    Sprite& arrow = player->arrow;
    const Direction f = facing_index(body);
    arrow.curr_frame = ARROW_FRAME[f];
    set_facing(arrow, facing(body));
    show_sprite(&arrow);
    set_sprite_position(&arrow, static_cast<int>(body.x + ARROW_OFFSET), static_cast<int>(body.y + ARROW_OFFSET));
    set_sprite_velocity(&arrow, direction_dx(f) * ARROW_SPEED, direction_dy(f) * ARROW_SPEED);
    play_sound(sound_ids.arrow, 0);
}
