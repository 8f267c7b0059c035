// The autopilot's player: each frame it looks at the screen and chooses the keys to hold.
#pragma once
#include "nav.h"
#include "sight.h"

enum GoalKind {
    GOAL_NONE,
    GOAL_BOSS_ZONE,  // where the level's boss is met
    GOAL_SWORD_SPOT,  // beside the boss, the sword reaching him
    GOAL_SHOOTING_SPOT,  // in line with the boss, out of his missiles' way
    GOAL_REFUGE,  // away from a stunned mole boss
    GOAL_CHEESE,
    GOAL_KEY,
    GOAL_DOOR,
    GOAL_COMPLETION,
};

constexpr int BOSS_FRAME_MEMORY = 12;
constexpr int TRAIL_LENGTH = 256;

struct Pilot {
    Sight sight;
    long frame = 0;
    unsigned last_keys = 0;
    int level = 0;  // the level the memory below belongs to
    bool met_boss = false;
    // The way to the current goal.
    NavField field;
    GoalKind goal = GOAL_NONE;
    long goal_built = -1000;  // frame the field was built in
    int doors_left = -1;  // jail doors on the map when the field was built
    // The mole boss: after a blow the hero backs off until the boss walks again.
    bool retreating = false;
    long blow_frame = -1000;
    int boss_frames[BOSS_FRAME_MEMORY] = {};
    // Where the hero walked, for a refuge on the way he came.
    int trail_x[TRAIL_LENGTH] = {}, trail_y[TRAIL_LENGTH] = {};
    int refuge_x = 0, refuge_y = 0;
    bool have_refuge = false;
    // Enhanced play: the frame the boss last lost a hit point, and his hit points then. Arrows
    // that have not hurt him for a while (a wall in the way) send the hero in with the sword.
    long boss_hurt_frame = 0;
    int boss_hit_points = 0;
};

// The keys (script key bits) to hold this frame.
unsigned pilot_keys(Pilot& pilot);
