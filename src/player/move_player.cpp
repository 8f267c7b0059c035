// The hero's walk and the camera: he walks inside a free band of the screen and the view
// scrolls under him beyond it, until the view reaches the edge of the map.
#include "rules/play_mode.h"
#include "world/world.h"

namespace {
// The free band of the screen, in pixels.
constexpr float BAND_LEFT = 150, BAND_RIGHT = 450, BAND_TOP = 150, BAND_BOTTOM = 290;
// Frame the hero shows standing still, per facing (up, down, left, right).
constexpr int IDLE_FRAME[4] = {12, 0, 9, 4};

void face(Sprite& body, int direction) {
    if (body.aux_3 != direction) {
        set_sprite_animation(&body, direction);
        body.aux_3 = direction;
    }
}
}  // namespace

void World::move_player(int direction) {
    Sprite& body = player.body;
    const float vx = body.xv, vy = body.yv;
    const int step_x = static_cast<int>(vx), step_y = static_cast<int>(vy);
    switch (direction) {
    case FACING_UP:
        face(body, FACING_UP);
        if (body.y > BAND_TOP || scroll_y == 0) {
            body.y -= vy;
            if (tile_blocked(&body, TILE_TEST_BODY)) {
                open_jail_door(&body);
                body.y += vy;
            }
        } else {
            scroll_y -= step_y;
            if (tile_blocked(&body, TILE_TEST_BODY)) {
                open_jail_door(&body);
                scroll_y += step_y;
            } else {
                shift_world_objects(0, step_y);
            }
        }
        animate_sprite(&body);
        break;
    case FACING_DOWN:
        face(body, FACING_DOWN);
        if (body.y >= BAND_BOTTOM && scroll_y != max_scroll_y) {
            scroll_y += step_y;
            if (tile_blocked(&body, TILE_TEST_BODY)) {
                open_jail_door(&body);
                scroll_y -= step_y;
            } else {
                shift_world_objects(0, -step_y);
            }
        } else {
            body.y += vy;
            if (tile_blocked(&body, TILE_TEST_BODY)) {
                open_jail_door(&body);
                body.y -= vy;
            }
        }
        animate_sprite(&body);
        break;
    case FACING_LEFT:
        face(body, FACING_LEFT);
        if (body.x > BAND_LEFT || scroll_x == 0) {
            body.x -= vx;
            if (tile_blocked(&body, TILE_TEST_BODY)) {
                open_jail_door(&body);
                body.x += vx;
            }
        } else {
            scroll_x -= step_x;
            if (tile_blocked(&body, TILE_TEST_BODY)) {
                open_jail_door(&body);
                scroll_x += step_x;
            } else {
                shift_world_objects(step_x, 0);
            }
        }
        animate_sprite(&body);
        break;
    case FACING_RIGHT:
        face(body, FACING_RIGHT);
        animate_sprite(&body);
        if (body.x >= BAND_RIGHT && scroll_x != max_scroll_x) {
            scroll_x += step_x;
            if (tile_blocked(&body, TILE_TEST_BODY)) {
                open_jail_door(&body);
                scroll_x -= step_x;
            } else {
                shift_world_objects(-step_x, 0);
            }
        } else {
            body.x += vx;
            if (tile_blocked(&body, TILE_TEST_BODY)) {
                open_jail_door(&body);
                body.x -= vx;
            }
        }
        break;
    default:
        if (body.aux_3 >= 0 && body.aux_3 < 4) body.curr_frame = IDLE_FRAME[body.aux_3];
        break;
    }

    check_story_triggers();
    Surface* back = &display.back_surface;
    draw_tile_map(&tile_sprite);
    // Enhanced play draws the hero after the enemies instead.
    if (!enhanced_play()) draw_sprite(&body, back);
    draw_sprite(&key_sprite, back);
    draw_sprite(&cheese_sprite, back);
    draw_sprite(&player.arrow, back);
    animate_sprite(&deathcloud_sprite);
    if (deathcloud_sprite.anim_state != 1) draw_sprite(&deathcloud_sprite, back);
}
