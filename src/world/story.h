// The story's lines and the level-start parts of it that the level loader runs.
#pragma once
#include "world/world.h"

// Pushes the two opening lines of a new game; the hero's question is read first.
void push_opening_lines(DialogBox& box);
// Places the level's boss with its starting hit points, position and velocity.
void place_level_boss(World& w, int level);
// The hit points a level's boss starts the fight with (0 for levels without one).
int32_t boss_start_hit_points(int level);

// A story zone on the hero's world position (his top-left corner, pixels), strict on every
// side; the bounds left open are very large.
struct StoryZone {
    float x_min, x_max, y_min, y_max;
    bool contains(float x, float y) const { return x > x_min && x < x_max && y > y_min && y < y_max; }
};
// Where level 1..3's boss is met, and where the level is completed.
const StoryZone& boss_zone(int level);
const StoryZone& completion_zone(int level);
