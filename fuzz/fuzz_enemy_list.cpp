// Enemy lists: the enemies switched on are the first slots of their pool, one per complete
// pair, each at a finite position and moving along one axis; the rest stay out of play.
#include <cmath>

#include "fuzz_file.h"
#include "world/world.h"

namespace {

template <typename Enemy>
void check_pool(const Enemy* pool) {
    bool out_seen = false;
    for (int i = 0; i < POOL_SIZE; ++i) {
        const EnemyBase& e = pool[i];
        const bool shown = (e.body.attr & SPRITE_ATTR_VISIBLE) != 0;
        FUZZ_CHECK(static_cast<bool>(e.alive) == shown);
        if (!e.alive) {
            out_seen = true;
            continue;
        }
        FUZZ_CHECK(!out_seen);
        FUZZ_CHECK(std::isfinite(e.body.x) && std::isfinite(e.body.y));
        FUZZ_CHECK((e.body.xv == 0) != (e.body.yv == 0) || e.speed == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int kind = 1 + data[0] % 3;  // the first byte picks the pool
    const char* path = input_as_file(data + 1, size - 1, ".txt");
    world.pools.mole_count = world.pools.pig_count = world.pools.wasp_count = POOL_SIZE;
    world.reset_enemies();
    world.load_enemy_list(path, kind);
    check_pool(world.pools.moles);
    check_pool(world.pools.pigs);
    check_pool(world.pools.wasps);
    return 0;
}
