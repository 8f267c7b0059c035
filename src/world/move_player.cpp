// The hero's walk and the camera: he walks inside a free band of the screen and the view
// scrolls under him beyond it, until the view reaches the edge of the map. Enhanced play's view
// follows him on its own instead (view_lead.cpp).
#include "base/play_mode.h"
#include "world/world.h"

namespace {
// The free band of the screen, in pixels.
constexpr float BAND_LEFT = 150, BAND_RIGHT = 450, BAND_TOP = 150, BAND_BOTTOM = 290;
// Frame the hero shows standing still, per facing (up, down, left, right).
constexpr int IDLE_FRAME[4] = {12, 0, 9, 4};

void face(Sprite& body, Direction direction) {
    if (facing(body) != direction) {
        set_sprite_animation(&body, direction);
        set_facing(body, direction);
    }
}
}  // namespace

// One step in `direction` (0..3) at the body's speed: inside the band the hero moves, beyond it
// the view scrolls and the world shifts the other way. A step into a solid tile is taken back,
// after trying it as a jail door. In enhanced play the hero always moves; the view follows later.
World::HeroStep World::step_player(int direction) {
    Sprite& body = player.body;
    const float vx = body.xv, vy = body.yv;
    const int step_x = static_cast<int>(vx), step_y = static_cast<int>(vy);
    auto undo = [&](auto take_back) {
        const bool door = open_jail_door(&body);
        take_back();
        return door ? HeroStep::AtDoor : HeroStep::Blocked;
    };
    if (!is_direction(direction)) return HeroStep::Moved;
    // Both axes work alike; only the band's edges, the scroll's limit and which way is back differ.
    const Direction way = direction_from_code(direction);
    const bool across = direction_dx(way) != 0;
    float& position = across ? body.x : body.y;
    const float speed = across ? vx : vy;
    int32_t& scroll = across ? scroll_x : scroll_y;
    const int step = across ? step_x : step_y;
    auto shift_world = [&](int by) { across ? shift_world_objects(by, 0) : shift_world_objects(0, by); };
    if (way == FACING_UP || way == FACING_LEFT) {
        if (enhanced_play() || position > (across ? BAND_LEFT : BAND_TOP) || scroll == 0) {
            position -= speed;
            if (tile_blocked(&body, TILE_TEST_BODY)) return undo([&] { position += speed; });
        } else {
            scroll -= step;
            if (tile_blocked(&body, TILE_TEST_BODY)) return undo([&] { scroll += step; });
            shift_world(step);
        }
    } else {
        if (!enhanced_play() && position >= (across ? BAND_RIGHT : BAND_BOTTOM) &&
            scroll != (across ? max_scroll_x : max_scroll_y)) {
            scroll += step;
            if (tile_blocked(&body, TILE_TEST_BODY)) return undo([&] { scroll -= step; });
            shift_world(-step);
        } else {
            position += speed;
            if (tile_blocked(&body, TILE_TEST_BODY)) return undo([&] { position -= speed; });
        }
    }
    return HeroStep::Moved;
}

// Enhanced play: a step stopped by the corner of a tile that the hero overlaps by at most
// CORNER_SLIDE_REACH pixels slides him sideways toward the opening instead, as far as his
// speed allows and no farther than the opening.
void World::slide_round_corner(int direction) {
    Sprite& body = player.body;
    const bool vertical = direction == FACING_UP || direction == FACING_DOWN;
    const float ahead_x = direction == FACING_LEFT ? -body.xv : direction == FACING_RIGHT ? body.xv : 0;
    const float ahead_y = direction == FACING_UP ? -body.yv : direction == FACING_DOWN ? body.yv : 0;
    // Whether the hero, moved `side` pixels across his way, stands free and could step ahead.
    auto free_beside = [&](int side) {
        const float x = body.x, y = body.y;
        (vertical ? body.x : body.y) += static_cast<float>(side);
        bool free = !tile_blocked(&body, TILE_TEST_BODY);
        body.x += ahead_x;
        body.y += ahead_y;
        free = free && !tile_blocked(&body, TILE_TEST_BODY);
        body.x = x;
        body.y = y;
        return free;
    };
    for (int d = 1; d <= CORNER_SLIDE_REACH; ++d)
        for (int side : {-d, d}) {
            if (!free_beside(side)) continue;
            float& speed = vertical ? body.xv : body.yv;
            const float kept = speed;
            speed = static_cast<float>(d < kept ? d : kept);
            step_player(vertical ? (side < 0 ? FACING_LEFT : FACING_RIGHT) : (side < 0 ? FACING_UP : FACING_DOWN));
            speed = kept;
            return;
        }
}

int World::move_player(int direction, int32_t current_level) {
    // The frame's first map, still owed: kept as the view before the walk, and drawn only if
    // the map drawn after the walk leaves any of it to be seen.
    TileView owed_view;
    bool owed = false;
    if (tile_map_owed) {
        owed = capture_tile_view(*this, &owed_view);
        if (!owed) pay_tile_map();
        tile_map_owed = false;
    }
    Sprite& body = player.body;
    HeroStep step = HeroStep::Moved;
    if (direction >= FACING_UP && direction <= FACING_RIGHT) {
        face(body, direction_from_code(direction));
        // Facing right animates before the step, the other ways after it.
        if (direction == FACING_RIGHT) animate_sprite(&body);
        step = step_player(direction);
        if (direction != FACING_RIGHT) animate_sprite(&body);
        if (step == HeroStep::Blocked && enhanced_play()) slide_round_corner(direction);
    } else if (is_direction(facing(body))) {
        body.curr_frame = IDLE_FRAME[facing(body)];
    }
    if (enhanced_play()) follow_hero(direction);

    const int completed_level = check_story_triggers(current_level);
    Surface* back = &display.back_surface;
    if (owed && !tile_map_covers_screen()) {
        // The walk leaves part of the screen to the view before it, and what that view leaves is black.
        if (!tile_view_covers_screen(*this, owed_view)) clear_back_surface();
        draw_tile_view(owed_view, &tile_sprite);
    }
    draw_tile_map(&tile_sprite);
    // Enhanced play draws the hero after the enemies instead.
    if (!enhanced_play()) draw_sprite(&body, back);
    draw_sprite(&key_sprite, back);
    draw_sprite(&cheese_sprite, back);
    draw_sprite(&player.arrow, back);
    animate_sprite(&deathcloud_sprite);
    if (deathcloud_sprite.anim_state != 1) draw_sprite(&deathcloud_sprite, back);
    return completed_level;
}
