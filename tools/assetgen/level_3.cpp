// Level 3, high in the Great Tree: bark walkways and rope bridges over the drop, the trunk
// in the middle, the wasps' hive with its jail, and King Vespro's hall walled in wax.
#include "level_map.h"

namespace art {

namespace {

// A rope bridge over the drop: first clears the branch drawn there, then spans it.
void rope_bridge(LevelMap& m, int c0, int r0, int c1, int r1, int clear_c1, int clear_r1) {
    rect(m, c0, r0, clear_c1, clear_r1, K_SKY);
    rect(m, c0, r0, c1, r1, c1 - c0 > r1 - r0 ? T_ROPE_BRIDGE_H : T_ROPE_BRIDGE_V);
}

}  // namespace

LevelMap build_level_3() {
    LevelMap m = level_map_start(3);
    m.cells.fill(K_SKY);

    // Masses of leaves hang between the limbs; the drop shows through the gaps.
    const int clumps[][4] = {{30, 26, 12, 7}, {60, 28, 9, 6}, {40, 68, 5, 8}, {112, 76, 8, 6}, {124, 26, 8, 4},
                             {18, 100, 12, 6}, {92, 112, 16, 5}, {172, 42, 8, 10}, {60, 106, 10, 4}, {120, 118, 10, 5}};
    for (const auto& k : clumps) blob(m, k[0], k[1], k[2], k[3], K_FOLIAGE, 1.5, 60 + k[0]);
    // Far below, banks of cloud drift past.
    const int clouds[][4] = {{128, 82, 8, 4}, {72, 104, 10, 4}, {34, 118, 12, 5}, {150, 120, 14, 5}, {182, 70, 6, 10},
                             {122, 6, 9, 3}, {58, 46, 5, 3}, {8, 70, 5, 8}, {100, 130, 12, 5}, {180, 100, 8, 4}};
    for (const auto& k : clouds) blob(m, k[0], k[1], k[2], k[3], K_CLOUD, 1.5, 90 + k[1]);

    // The trunk of the Great Tree with a ledge of bark all round it, and the platform
    // where the hero has climbed up.
    blob(m, 75, 62, 18, 15, K_BRANCH, 0.5, 61);
    blob(m, 75, 62, 14, 11, K_TRUNK, 1.0, 62);
    // The Great Tree goes on up; its crown closes overhead inside the ring of bark.
    blob(m, 75, 62, 11, 8, T_CANOPY, 1.0, 58);
    m.sights.push_back({"trunk", 72, 72});
    m.sights.push_back({"clouds", 124, 84});
    blob(m, 10, 12, 8, 6, K_BRANCH, 1.0, 63);

    // The great branch east, over a rope bridge, to the northern landing, which a limb
    // joins to the trunk.
    track(m, {{10, 12}, {86, 12}}, 4, K_BRANCH);
    rope_bridge(m, 49, 11, 57, 13, 57, 14);
    blob(m, 95, 15, 10, 7, K_BRANCH, 1.5, 64);
    scatter(m, 86, 8, 105, 22, K_BRANCH, T_LEAVES, 40, 65);
    limb(m, 79, 49, 91, 21, 4, K_BRANCH);
    // The old tree house where the hero climbed up: a clay roof, a log wall, a plank porch.
    rect(m, 8, 7, 12, 8, T_ROOF);
    rect(m, 8, 9, 12, 9, T_TIMBER_WALL);
    rect(m, 7, 10, 13, 10, T_BOARDS);
    m.sights.push_back({"tree_house", 10, 10});

    // A side branch to the lookout in the north-east.
    track(m, {{105, 15}, {140, 15}, {140, 20}}, 3, K_BRANCH);
    blob(m, 150, 20, 8, 5, K_BRANCH, 1.0, 66);
    // The wasps' lookout: a plank deck round a nest of straw, with their stores.
    rect(m, 144, 17, 156, 23, T_PLANKS_H);
    rect(m, 148, 18, 151, 21, T_STRAW);
    for (auto [c, r] : {std::pair{144, 17}, {156, 17}, {156, 23}}) m.set(c, r, T_CRATES);
    m.sights.push_back({"lookout", 150, 20});

    // West: down to the old nest, and a limb from there to the trunk.
    track(m, {{10, 18}, {10, 40}, {30, 40}}, 4, K_BRANCH);
    blob(m, 30, 45, 7, 5, K_BRANCH, 1.0, 67);
    blob(m, 30, 45, 4, 3, T_STRAW, 0.5, 68);
    limb(m, 36, 46, 59, 59, 4, K_BRANCH);

    // South-west: over the long rope bridge to the mossy landing, then east along the
    // low branch, which the trunk's southern limb meets.
    track(m, {{30, 50}, {30, 82}}, 4, K_BRANCH);
    rope_bridge(m, 29, 58, 31, 72, 32, 72);
    blob(m, 42, 88, 10, 6, K_BRANCH, 1.5, 69);
    track(m, {{30, 82}, {34, 86}}, 4, K_BRANCH);
    // Toadstools grow in the moss of the damp landing.
    scatter(m, 32, 82, 52, 94, K_BRANCH, T_MUSHROOMS, 120, 74);
    limb(m, 74, 75, 66, 90, 4, K_BRANCH);
    track(m, {{50, 90}, {100, 90}, {100, 101}, {139, 101}, {156, 101}}, 4, K_BRANCH);
    rope_bridge(m, 84, 89, 92, 91, 92, 92);

    // East: the trunk's eastern limb reaches the hive.
    limb(m, 91, 60, 102, 47, 4, K_BRANCH);
    track(m, {{102, 47}, {108, 47}}, 4, K_BRANCH);

    // The hive: wax walls round a wax floor, with the jail in its heart.
    box(m, 106, 32, 148, 62, 2, K_WAXWALL);
    rect(m, 108, 34, 146, 60, K_HIVE);
    rect(m, 106, 46, 107, 49, K_HIVE);
    // Comb walls part the hive into chambers; honey pools where it has spilt.
    rect(m, 114, 34, 115, 40, K_WAXWALL);
    rect(m, 114, 55, 115, 60, K_WAXWALL);
    rect(m, 128, 55, 129, 60, K_WAXWALL);
    rect(m, 140, 34, 141, 39, K_WAXWALL);
    for (auto [c, r] : {std::pair{112, 39}, {119, 57}, {121, 58}, {134, 57}, {132, 59}, {136, 59}, {144, 36}, {144, 38}, {125, 38}, {127, 39}})
        m.set(c, r, T_WAX_HONEY);
    // Brood comb fills the western chambers.
    for (auto [c, r] : {std::pair{109, 35}, {109, 38}, {109, 56}, {111, 58}}) rect(m, c, r, c + 1, r + 1, K_WAXWALL);
    scatter(m, 108, 34, 146, 60, K_HIVE, T_WAX_WALL, 20, 69);
    m.sights.push_back({"hive", 118, 46});
    jail(m, 121, 44, 137, 52, T_JAIL_WALL);
    rect(m, 128, 44, 129, 44, T_JAIL_DOOR);
    // A second door faces the way up from King Vespro's hall, so the walk back is short.
    rect(m, 137, 48, 137, 49, T_JAIL_DOOR);
    for (int c : {124, 126, 132, 134}) m.set(c, 44, T_JAIL_BARS_PRISONER);
    for (int r : {47, 50}) {
        m.set(121, r, T_JAIL_BARS_PRISONER);
        m.set(137, r, T_JAIL_BARS_PRISONER);
    }
    m.set(123, 50, T_PRISONER_A);
    m.set(127, 50, T_PRISONER_B);
    m.set(131, 50, T_PRISONER_A);
    m.set(135, 47, T_PRISONER_B);
    rect(m, 124, 50, 125, 50, T_STRAW);

    // Out of the hive to the south, down along the hall's wall to the landing before it.
    track(m, {{139, 58}, {139, 101}}, 4, K_BRANCH);
    blob(m, 162, 100, 9, 4, K_BRANCH, 0.8, 70);

    // King Vespro's hall: wax walls three thick, one passage in from the south.
    rect(m, 143, 61, 173, 83, K_WAXWALL);
    rect(m, 146, 64, 170, 80, K_HIVE);
    rect(m, 157, 84, 167, 95, K_WAXWALL);
    rect(m, 160, 81, 164, 95, T_WAX_FLOOR);
    rect(m, 161, 66, 163, 80, T_CARPET);
    for (auto [c, r] : {std::pair{149, 67}, {167, 67}, {149, 77}, {167, 77}}) m.set(c, r, T_WAX_WALL);
    // His throne of wax at the head of the carpet, pillars along it, honey spilt about.
    rect(m, 160, 64, 164, 64, T_WAX_DRIP);
    for (auto [c, r] : {std::pair{159, 66}, {165, 66}, {151, 70}, {153, 71}, {169, 74}, {151, 79}}) m.set(c, r, T_WAX_HONEY);
    for (auto [c, r] : {std::pair{156, 67}, {168, 67}, {156, 71}, {168, 71}}) m.set(c, r, T_WAX_WALL);
    m.sights.push_back({"hall", 158, 70});
    m.sights.push_back({"hall_foot", 152, 84});

    finish_level(m);

    std::vector<Area> everywhere = {{84, 6, 106, 24}, {0, 30, 40, 50}, {30, 80, 56, 96}, {108, 34, 146, 60}, {100, 10, 160, 26}, {50, 86, 140, 104}};
    place_enemies(m, m.moles, 30, everywhere, 71);
    place_enemies(m, m.pigs, 30, everywhere, 72);
    place_enemies(m, m.wasps, 30, everywhere, 73);
    return m;
}

}  // namespace art
