// What the autopilot sees of a frame: boxes in world pixels, read from the sprites on show.
#pragma once
#include <vector>

#include "base/direction.h"

// A box in world pixels, with the half size that the game's overlap test uses.
struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    float xv = 0, yv = 0;  // how it moves, pixels per frame
    int frame = 0;  // the picture it shows
};

// The game's overlap test on two boxes: centres nearer than the two reduced half sizes.
bool boxes_overlap(const Box& a, const Box& b);
int reduced_half(int size);

enum TargetKind { TARGET_MOLE, TARGET_PIG, TARGET_WASP, TARGET_BOSS };

struct Target {
    Box box;
    TargetKind kind;
};

struct Sight {
    int level = 0;  // the level being played
    int hero_x = 0, hero_y = 0;  // the hero's world top-left corner
    Direction facing = FACING_DOWN;
    int hit_points = 0, lives = 0;
    bool has_key = false, has_bow = false;
    bool sword_busy = false;  // a swing still runs: the hero cannot walk
    bool arrow_flying = false;
    std::vector<Target> targets;  // living enemies and the level's boss
    std::vector<Box> missiles;  // spears and stingers in flight
    bool boss_alive = false;
    Box boss;
    // Enhanced play: the boss cannot be hurt yet, or the sword out now has already hit him.
    bool boss_guarded = false;
    int boss_hit_points = 0;
    bool key_shown = false;
    Box key;
    bool cheese_shown = false;
    Box cheese;
};

// Reads the frame's picture of the world (nothing is changed).
void look(Sight& sight);

// The sword's box when the hero at (x, y) swings facing `facing`.
Box sword_box(int x, int y, Direction facing);
Box hero_box(int x, int y);
