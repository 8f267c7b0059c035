// The single global game world: tile map, hero, enemy pools, bosses, speech box.
#pragma once
#include <cstdint>

struct World {
    int32_t loaded_level = 0;

    // Loads every world bitmap into its sprites; 1 on success.
    int load_assets();
    // Reads level `level` (1..3) and places everything for it; 1 on success.
    int load_level(int level);
};

extern World world;

// Puts the world back to its start-up state (tests run many games in one process).
void reset_world();
