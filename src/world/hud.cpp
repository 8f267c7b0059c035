// The heads-up display: hearts, sword, key and bow icons.
#include "world/world.h"

void World::draw_hud() {
    Surface* back = &display.back_surface;
    draw_sprite(&life_sprite, back);
    // One heart per hit point, 20 pixels apart from x 110.
    lifebar_sprite.x = 110;
    for (int i = 0; i < player.hit_points; ++i) {
        draw_sprite(&lifebar_sprite, back);
        lifebar_sprite.x += 20;
    }
    draw_sprite(&uisword_sprite, back);
    uikey_sprite.curr_frame = player.has_key ? 1 : 0;
    draw_sprite(&uikey_sprite, back);
    if (player.has_bow) draw_sprite(&uibow_sprite, back);
}
