// Path finding for the autopilot over the tile map, on the hero's own 4-pixel steps.
#pragma once
#include <cstdint>
#include <vector>

// The hero's box and step, world pixels.
constexpr int HERO_SIZE = 32;
constexpr int HERO_STEP = 4;

// A rectangle of hero positions (his world top-left corner), bounds included.
struct HeroRect {
    int x0, y0, x1, y1;
};

// Distances, in steps, from every hero position on one lattice (positions whose x and y
// leave the same remainders by 4 as the hero's) to the nearest goal position.
struct NavField {
    int rx = 0, ry = 0;  // the lattice's remainders
    int cols = 0, rows = 0;  // lattice size
    std::vector<int32_t> dist;  // -1: not reached
    std::vector<int32_t> queue;
    bool ready = false;
};

// True when a hero with his top-left corner at world (x, y) stands on floor only.
bool hero_fits(int x, int y);

// Fills `field` by a breadth-first search out of the goal positions on the lattice of
// (hero_x, hero_y), never through the positions of `avoid`. With `stop_at_hero` the search
// ends once the hero is reached (enough to walk from where he stands). False when no goal
// position is reachable.
bool build_field(NavField& field, int hero_x, int hero_y, const std::vector<HeroRect>& goals, const HeroRect& avoid,
                 bool stop_at_hero);
// A rectangle that holds no position.
constexpr HeroRect NOWHERE = {1, 1, 0, 0};

// Steps from the hero's position to the goal (-1 when not reached); 0 on a goal.
int field_distance(const NavField& field, int x, int y);

// The direction code (0 up, 1 down, 2 left, 3 right) of a step that brings the hero closer
// to the goal, preferring `prefer`; -1 when there is none (on the goal or not reached).
int field_step(const NavField& field, int x, int y, int prefer);
