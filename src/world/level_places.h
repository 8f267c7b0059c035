// The places of each level that the story names, in one table that the game, the data generator,
// the autopilot and the tests all read: where the hero and the boss start, where the boss is met
// and where the level is completed.
#pragma once

// A story zone on the hero's world position (his top-left corner, pixels), strict on every
// side; the bounds left open are ZONE_OPEN.
struct StoryZone {
    float x_min, x_max, y_min, y_max;
    constexpr bool contains(float x, float y) const { return x > x_min && x < x_max && y > y_min && y < y_max; }
};

// An open side of a zone: farther than any world position (pixels).
constexpr float ZONE_OPEN = 1.0e9f;

// A top-left corner in world pixels.
struct WorldSpot {
    float x, y;
};

struct LevelPlaces {
    WorldSpot hero_start;
    WorldSpot boss_start;
    StoryZone boss_zone;  // where the boss is met
    StoryZone completion_zone;  // where the level is completed
};

inline constexpr LevelPlaces LEVEL_PLACES[3] = {
    {{200, 380}, {2485, 1689}, {2134, ZONE_OPEN, 1785, ZONE_OPEN}, {1624, 1965, 310, 620}},
    {{200, 300}, {3508, 703}, {3474, 3504, 1034, 1134}, {1973, 2312, 884, 1196}},
    {{200, 380}, {5000, 2400}, {5111, 5301, 2611, ZONE_OPEN}, {3925, 4363, 1462, 1642}},
};

// Where level 1..3's boss is met, and where the level is completed.
constexpr const StoryZone& boss_zone(int level) { return LEVEL_PLACES[level - 1].boss_zone; }
constexpr const StoryZone& completion_zone(int level) { return LEVEL_PLACES[level - 1].completion_zone; }
