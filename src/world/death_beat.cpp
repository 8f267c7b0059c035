// Drawing enhanced play's beat after a lost life: the hero's fall, the flash of the screen's
// edge and, after the last life, the dark closing in before the game-over screen.
#include "world/death_beat.h"

#include <algorithm>

#include "base/assists.h"
#include "world/hit_feedback.h"

namespace {

// The fall, in frames of the beat: the hero turns round on the spot, then sinks flat.
constexpr int32_t SPIN_FRAMES = 12, SPIN_TURN_FRAMES = 3, SINK_FRAMES = 8;
// His standing frames, turning (down, left, up, right), and his shape lying flat, pixels.
constexpr int SPIN_FRAME[4] = {0, 9, 12, 4};
constexpr int FLAT_WIDTH = 40, FLAT_HEIGHT = 10;
// The red edge: as wide as this at first, one pixel narrower each frame, bright for the first few.
constexpr int EDGE_WIDTH = 16, EDGE_BRIGHT_FRAMES = 4;
// After the last life the dark starts closing in at this frame and covers the screen at the last.
constexpr int32_t CLOSE_FROM = 24;

// A frame `width` pixels wide round the screen's edge.
void edge_frame(int width, uint32_t colour) {
    const int w = display.screen_width, h = display.screen_height;
    fill_box(0, 0, w, width, colour);
    fill_box(0, h - width, w, h, colour);
    fill_box(0, width, width, h - width, colour);
    fill_box(w - width, width, w, h - width, colour);
}

void draw_fall(Player& hero, int32_t shown) {
    Sprite& body = hero.body;
    Surface* back = &display.back_surface;
    const int kept_frame = body.curr_frame;
    const float x = body.x, y = body.y;
    if (shown < SPIN_FRAMES) {
        body.curr_frame = SPIN_FRAME[(shown / SPIN_TURN_FRAMES) % 4];
        draw_sprite(&body, back);
    } else {
        // Sinking: lower and wider each frame, his feet where they stood.
        const int32_t sunk = shown - SPIN_FRAMES < SINK_FRAMES ? shown - SPIN_FRAMES + 1 : SINK_FRAMES;
        const int height = body.height - (body.height - FLAT_HEIGHT) * sunk / SINK_FRAMES;
        const int width = body.width + (FLAT_WIDTH - body.width) * sunk / SINK_FRAMES;
        body.curr_frame = SPIN_FRAME[0];
        body.x = x - static_cast<float>((width - body.width) / 2);
        body.y = y + static_cast<float>(body.height - height);
        draw_sprite_scaled(&body, width, height, back);
    }
    body.curr_frame = kept_frame;
    body.x = x;
    body.y = y;
}

}  // namespace

void draw_death_beat(World& w, int32_t shown, bool last) {
    w.draw_frozen_world(false);
    draw_fall(w.player, shown);
    draw_boss_bars(w);
    if (shown < EDGE_WIDTH) {
        // Reduced flashing keeps the edge dark from the start: no bright flash.
        const bool bright = shown < EDGE_BRIGHT_FRAMES && !reduced_flashing_assist();
        edge_frame(EDGE_WIDTH - shown, bright ? DEATH_EDGE_BRIGHT : DEATH_EDGE_DARK);
        // The HUD stays readable over it.
        w.draw_lives();
        w.draw_hud();
    }
    if (last && shown >= CLOSE_FROM) {
        // The dark closes in from every edge on the fallen hero, meeting over him at the end.
        const int32_t closing = shown - CLOSE_FROM + 1, span = LAST_DEATH_BEAT_FRAMES - CLOSE_FROM;
        const int sw = display.screen_width, sh = display.screen_height;
        const int hx = static_cast<int>(w.player.body.x) + w.player.body.width / 2;
        const int hy = static_cast<int>(w.player.body.y) + w.player.body.height / 2;
        const int cx = std::clamp(hx, 0, sw), cy = std::clamp(hy, 0, sh);
        fill_box(0, 0, cx * closing / span, sh, 0);
        fill_box(sw - (sw - cx) * closing / span, 0, sw, sh, 0);
        fill_box(0, 0, sw, cy * closing / span, 0);
        fill_box(0, sh - (sh - cy) * closing / span, sw, sh, 0);
    }
}
