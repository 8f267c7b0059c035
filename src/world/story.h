// The story's lines and the level-start parts of it that the level loader runs.
#pragma once
#include "world/level_places.h"
#include "world/world.h"

// Pushes the two opening lines of a new game; the hero's question is read first.
void push_opening_lines(DialogBox& box);
// Places the level's boss with its starting hit points, position and velocity.
void place_level_boss(World& w, int level);
// The hit points a level's boss starts the fight with (0 for levels without one).
int32_t boss_start_hit_points(int level);
// Enhanced play: frames a level's swine or wasp boss cannot be hurt after a blow (0 for others).
int32_t boss_guard_frames(int level);
