// The global World and its start-up state.
#include "world/world.h"

World world;

int World::load_assets() { return 1; }

int World::load_level(int level) {
    loaded_level = level;
    return 1;
}

void reset_world() { world.loaded_level = 0; }
