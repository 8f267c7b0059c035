// Enhanced play's beat after a lost life: the world holds still while the hero falls, the
// screen's edge flashes red, and after the last life the view closes to black.
#pragma once
#include "world/world.h"

// Frames of the beat after a life is lost, the hero back on his feet after it.
constexpr int32_t DEATH_BEAT_FRAMES = 30;
// Frames of the beat after the last life, before the game-over screen.
constexpr int32_t LAST_DEATH_BEAT_FRAMES = 48;
// The screen's edge, red (0xBBGGRR): bright on the beat's first frames, darker as it narrows.
constexpr uint32_t DEATH_EDGE_BRIGHT = 0x2828F8, DEATH_EDGE_DARK = 0x1010A8;

// Draws frame `shown` (0 first) of the beat over the map already drawn: the world as it stood,
// the falling hero, the HUD, the red edge and, when the game ends (`last`), the closing dark.
void draw_death_beat(World& w, int32_t shown, bool last);
