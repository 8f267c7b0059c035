// Level 1, the moles' country: meadows and woods around Curdwick, a river, the mole
// fields, the stone jail in the north and Dorvik Mole's clearing in the south-east.
#include "level_map.h"

namespace art {

LevelMap build_level_1() {
    LevelMap m;
    m.number = 1;
    m.hero = {200, 380};
    m.boss = {2485, 1689};
    m.encounter = {2134, 1 << 20, 1785, 1 << 20};
    m.completion = {1624, 1965, 310, 620};
    m.cells.fill(K_FOREST);

    // Curdwick's edge, where the hero starts: a meadow with cottages and a garden fence.
    blob(m, 12, 12, 10, 8, K_MEADOW, 1.5, 11);
    rect(m, 3, 5, 5, 6, T_ROOF);
    rect(m, 15, 5, 18, 6, T_ROOF);
    rect(m, 15, 17, 20, 17, T_FENCE_H);

    // The river runs north to south and ends in a lake; two bridges cross it.
    rect(m, 27, 1, 30, 70, K_WATER);
    blob(m, 28, 75, 9, 5, K_WATER, 1.0, 12);

    // Paths: east over the first bridge to the jail, south to the pond meadow.
    track(m, {{8, 13}, {44, 13}}, 3, K_PATH);
    rect(m, 26, 12, 31, 14, T_PLANKS_H);
    track(m, {{10, 18}, {10, 31}}, 2, K_PATH);

    // The orchard north of the road, a side place with fruit trees.
    blob(m, 38, 6, 6, 3, K_MEADOW, 1.0, 13);
    track(m, {{38, 12}, {38, 8}}, 2, K_PATH);
    scatter(m, 32, 2, 44, 9, K_MEADOW, T_OAK, 200, 14);

    // The jail yard and the jail: the townsfolk wait behind a double door on the south side.
    rect(m, 45, 6, 66, 24, T_COBBLES);
    blob(m, 56, 4, 8, 3, K_MEADOW, 1.0, 15);
    jail(m, 49, 9, 62, 20, T_JAIL_WALL);
    rect(m, 55, 20, 56, 20, T_JAIL_DOOR);
    for (int c : {51, 53, 58, 60}) m.set(c, 20, c == 53 ? T_JAIL_BARS : T_JAIL_BARS_PRISONER);
    for (int r : {12, 16}) {
        m.set(49, r, T_JAIL_BARS_PRISONER);
        m.set(62, r, T_JAIL_BARS);
    }
    m.set(51, 11, T_PRISONER_A);
    m.set(54, 11, T_PRISONER_B);
    m.set(58, 11, T_PRISONER_A);
    m.set(60, 14, T_PRISONER_B);
    m.set(51, 16, T_PRISONER_B);
    rect(m, 52, 16, 53, 16, T_STRAW);
    rect(m, 58, 16, 59, 17, T_STRAW);
    track(m, {{44, 13}, {46, 13}}, 3, K_PATH);
    track(m, {{55, 22}, {55, 32}}, 3, K_PATH);

    // North-east woods: shady ground under old trees, reached from the jail yard.
    track(m, {{66, 14}, {74, 14}, {74, 19}}, 3, K_PATH);
    blob(m, 80, 20, 10, 7, K_WOODS_FLOOR, 1.5, 16);
    scatter(m, 70, 12, 91, 28, K_WOODS_FLOOR, T_OAK, 60, 17);
    blob(m, 86, 24, 2, 1, K_WATER, 0.0, 18);

    // The pond meadow south of the village, with a sandy beach.
    blob(m, 14, 38, 11, 9, K_MEADOW, 1.5, 19);
    blob(m, 12, 40, 6, 5, K_SAND, 0.8, 20);
    blob(m, 12, 40, 4, 3, K_WATER, 0.5, 21);
    scatter(m, 3, 29, 25, 48, K_MEADOW, T_BUSH, 40, 22);

    // The second bridge leads east into the mole fields, full of molehills and boulders.
    track(m, {{22, 40}, {38, 40}}, 3, K_PATH);
    rect(m, 26, 39, 31, 41, T_PLANKS_H);
    blob(m, 48, 42, 11, 9, K_MEADOW, 2.0, 23);
    scatter(m, 36, 32, 60, 52, K_MEADOW, T_MOLEHILL, 60, 24);
    scatter(m, 36, 32, 60, 52, K_MEADOW, T_BOULDER, 15, 25);
    blob(m, 44, 37, 3, 2, K_CLIFF, 0.5, 26);

    // South to the warren and east along the old track to Dorvik Mole's clearing.
    track(m, {{49, 50}, {49, 66}, {82, 66}}, 3, K_PATH);
    blob(m, 62, 68, 7, 4, K_MEADOW, 1.0, 27);
    scatter(m, 55, 64, 70, 73, K_MEADOW, T_MOLEHILL, 80, 28);

    // The clearing: an earth ring in a thick wood, one way in from the south.
    blob(m, 80, 52, 9, 7, K_MEADOW, 1.0, 29);
    blob(m, 80, 52, 6, 4, T_ARENA, 0.5, 30);
    track(m, {{80, 58}, {80, 66}}, 2, K_PATH);
    for (auto [c, r] : {std::pair{73, 49}, {87, 49}, {74, 56}, {86, 56}}) m.set(c, r, T_BOULDER);

    finish_level(m);

    place_enemies(m, m.moles, 40,
                  {{2, 26, 24, 48}, {36, 32, 60, 52}, {68, 12, 92, 28}, {45, 4, 66, 8}, {50, 60, 70, 70}, {32, 2, 44, 9}}, 31);
    return m;
}

}  // namespace art
