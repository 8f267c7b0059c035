// Enemy projectiles (the wasps' stingers, the swine boss's spear): aimed and launched at the hero.
#pragma once
#include <cstdint>

#include "actors/facing.h"
#include "graphics/sprite.h"

// Speed of a launched stinger or spear, pixels per frame.
constexpr int PROJECTILE_SPEED = 10;
// A projectile leaves this many pixels left of its owner's corner, whatever its direction.
constexpr float PROJECTILE_LEFT_OFFSET = 20.0f;

// The direction that points from `owner` at `hero` along the axis on which the hero is farther
// away (whole-pixel differences); a tie goes to the vertical axis, and no difference at all to down.
Direction aim_at_hero(const Sprite* owner, const Sprite* hero);

// How far beyond the screen's edge (pixels) a launch is still heard in enhanced play.
constexpr int LAUNCH_HEARD_BEYOND_EDGE = 160;
// Loudest level (percent) of a launch whose owner is wholly off the screen.
constexpr int LAUNCH_OFF_SCREEN_VOLUME = 50;

// The volume (percent) of a launch by `owner` in enhanced play: 100 while any of it is on the
// screen; off it, from 50 just past the edge down to 0 at 160 pixels beyond (0: not played).
int launch_volume(const Sprite* owner);

// Shows `projectile` at its owner's corner less 20 pixels across, flying at the hero at 10 pixels
// per frame, with its frame (0 up, 1 down, 2 right, 3 left) and its facing set to its direction; plays
// "arrow.WAV" (enhanced play: at launch_volume, and not at all from far off the screen).
void launch_at_hero(Sprite* projectile, const Sprite* owner, const Sprite* hero);
