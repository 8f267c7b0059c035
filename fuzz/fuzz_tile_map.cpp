// Tile maps: the cells before the first unreadable number are read, every later cell keeps
// the tile it had.
#include <algorithm>

#include "fuzz_file.h"
#include "world/world.h"

namespace {
constexpr int CELLS = MAP_ROWS * MAP_COLUMNS;
int32_t first_load[MAP_ROWS][MAP_COLUMNS];
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* path = input_as_file(data, size, ".txt");
    int32_t* cells = &tile_map[0][0];
    std::fill(cells, cells + CELLS, 1111);
    FUZZ_CHECK(world.load_tile_map(path));
    std::copy(cells, cells + CELLS, &first_load[0][0]);
    std::fill(cells, cells + CELLS, -2222);
    FUZZ_CHECK(world.load_tile_map(path));
    const int32_t* first = &first_load[0][0];
    bool unread_seen = false;
    for (int i = 0; i < CELLS; ++i) {
        const bool read = first[i] == cells[i];
        if (read) {
            FUZZ_CHECK(!unread_seen);
        } else {
            FUZZ_CHECK(first[i] == 1111 && cells[i] == -2222);
            unread_seen = true;
        }
    }
    return 0;
}
