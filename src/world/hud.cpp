// The heads-up display: the lives counter; hearts, sword, key and bow icons.
#include <cstdio>

#include "base/play_mode.h"
#include "world/world.h"

void World::draw_lives() {
    Surface* back = &display.back_surface;
    char number[16];
    std::snprintf(number, sizeof number, "%d", static_cast<int>(player.lives));
    if (enhanced_play()) {
        // Gold like the LIFE label beside it, outlined so it reads on any ground.
        constexpr uint32_t GOLD = 0x40D0F8;
        draw_outlined_text("Lives: ", 20, 35, GOLD, back);
        draw_outlined_text(number, 80, 35, GOLD, back);
        return;
    }
    constexpr uint32_t GREEN = 65280;
    draw_text("Lives: ", 20, 35, GREEN, back);
    draw_text(number, 80, 35, GREEN, back);
}

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
