// Enhanced play's hit feedback: blinking, flashing, the hero on top and boss health bars.
#include "world/hit_feedback.h"

#include <utility>

#include "base/assists.h"
#include "base/play_mode.h"
#include "world/story.h"

namespace {

// The boss bar, screen pixels: centred at the foot of the screen, clear of the speech box's
// place and of the HUD at the top.
constexpr int BAR_WIDTH = 240, BAR_HEIGHT = 10, BAR_Y = 452;
// The outline of a struck enemy or the invulnerable hero with reduced flashing: a bright yellow
// that stands out on grass, earth and honeycomb without the glare of white.
constexpr uint32_t HIT_OUTLINE_COLOUR = 0x30F0FF;

bool on_screen(const Sprite& s) {
    return (s.attr & SPRITE_ATTR_VISIBLE) && s.x + s.width > 0 && s.x < 640 && s.y + s.height > 0 && s.y < 480;
}

// A boss's bar comes with his meeting lines (`met`), or with a first blow struck from afar,
// not as soon as he walks into view.
void draw_boss_bar(const EnemyBase& boss, const char* name, int32_t full, bool met) {
    if (!boss.alive || !on_screen(boss.body) || full <= 0 || (!met && boss.hit_points >= full)) return;
    Surface* back = &display.back_surface;
    const int left = (640 - BAR_WIDTH) / 2;
    const int filled = BAR_WIDTH * (boss.hit_points > 0 ? boss.hit_points : 0) / full;
    fill_box(left - 2, BAR_Y - 2, left + BAR_WIDTH + 2, BAR_Y + BAR_HEIGHT + 2, 0x000000);
    fill_box(left - 1, BAR_Y - 1, left + BAR_WIDTH + 1, BAR_Y + BAR_HEIGHT + 1, 0x30C8E8);  // gold rim
    fill_box(left, BAR_Y, left + BAR_WIDTH, BAR_Y + BAR_HEIGHT, 0x101040);  // dark red, emptied
    if (filled > 0) {
        fill_box(left, BAR_Y, left + filled, BAR_Y + BAR_HEIGHT, 0x2020D0);
        fill_box(left, BAR_Y, left + filled, BAR_Y + 3, 0x6060F0);  // lit upper edge
    }
    draw_outlined_text(name, left, BAR_Y - 20, 0x70E0F8, back);
}

// The reduced flashing assist's mark of a hit: a steady one-pixel outline around the sprite's
// current frame, drawn before the sprite itself.
void draw_outline(Sprite& s, uint32_t colour) {
    const float x = s.x, y = s.y;
    const uint8_t index = nearest_palette_index(colour);
    constexpr std::pair<int, int> AROUND[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
    for (const auto& [dx, dy] : AROUND) {
        s.x = x + static_cast<float>(dx);
        s.y = y + static_cast<float>(dy);
        draw_sprite_silhouette(&s, index, &display.back_surface);
    }
    s.x = x;
    s.y = y;
}

}  // namespace

bool hero_blinked_out(const Player& hero) {
    return enhanced_play() && !reduced_flashing_assist() && hero.invulnerable && (hero.body.counter_1 / HERO_BLINK_FRAMES) % 2 == 1;
}

void start_hit_flash(EnemyBase& enemy) {
    if (enhanced_play()) enemy.flash_frames = HIT_FLASH_FRAMES;
}

void draw_enemy_body(EnemyBase& enemy) {
    Surface* back = &display.back_surface;
    if (enemy.flash_frames > 0) {
        enemy.flash_frames -= 1;
        if (reduced_flashing_assist()) {
            draw_outline(enemy.body, HIT_OUTLINE_COLOUR);
        } else if (enemy.flash_frames % 2 == 1) {
            draw_sprite_silhouette(&enemy.body, nearest_palette_index(0xFFFFFF), back);
            return;
        }
    } else if (enemy.guard_frames > 0 && reduced_flashing_assist()) {
        draw_outline(enemy.body, HIT_OUTLINE_COLOUR);
    } else if (enemy.guard_frames > 0 && (enemy.guard_frames / HERO_BLINK_FRAMES) % 2 == 1) {
        return;
    }
    draw_sprite(&enemy.body, back);
}

void draw_hero_on_top(Player& hero, bool attacking) {
    Surface* back = &display.back_surface;
    if (reduced_flashing_assist() && hero.invulnerable) draw_outline(hero.body, HIT_OUTLINE_COLOUR);
    if (!hero_blinked_out(hero)) draw_sprite(&hero.body, back);
    if (attacking) draw_sprite(&hero.sword, back);
}

void draw_boss_bars(World& w) {
    const bool met = w.boss_taunt_shown != 0;
    draw_boss_bar(w.pools.mole_boss, "Dorvik Mole", boss_start_hit_points(1), met);
    draw_boss_bar(w.pools.swine_boss, "Lord Hogrand", boss_start_hit_points(2), met);
    draw_boss_bar(w.pools.wasp_boss, "King Vespro", boss_start_hit_points(3), met);
}
