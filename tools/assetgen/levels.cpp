// Writes the three level maps and their enemy lists.
#include "generators.h"
#include "level_map.h"

namespace art {

void make_levels(const std::string& dir) {
    for (int n = 1; n <= 3; ++n) {
        LevelMap m = build_level(n);
        std::string level = std::to_string(n);
        write_file(dir + "/Level" + level + ".txt", tile_map_text(m));
        write_file(dir + "/level" + level + "Moles.txt", enemy_list_text(m.moles));
        if (n >= 2) write_file(dir + "/level" + level + "Pigs.txt", enemy_list_text(m.pigs));
        if (n == 3) write_file(dir + "/level" + level + "Wasps.txt", enemy_list_text(m.wasps));
    }
}

}  // namespace art
