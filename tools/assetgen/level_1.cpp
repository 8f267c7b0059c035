// Level 1, the moles' country: meadows and woods around Curdwick, a winding river, the mole
// fields, the stone jail in the north and Dorvik Mole's clearing in the south-east.
#include "level_map.h"

namespace art {

LevelMap build_level_1() {
    LevelMap m = level_map_start(1);
    m.cells.fill(K_FOREST);

    // Curdwick's edge, where the hero starts: cottages, a flower garden and its fence.
    blob(m, 14, 12, 12, 9, K_MEADOW, 1.5, 11);
    rect(m, 3, 4, 8, 5, T_ROOF);
    rect(m, 3, 6, 8, 6, T_TIMBER_WALL);
    rect(m, 17, 4, 21, 5, T_ROOF);
    rect(m, 17, 6, 21, 6, T_TIMBER_WALL);
    rect(m, 16, 15, 22, 16, T_FLOWERS_RED);
    rect(m, 16, 17, 22, 17, T_FENCE_H);
    m.set(12, 5, T_BOULDER);

    // Paths: east over the first bridge to the jail, south to the pond meadow.
    track(m, {{8, 13}, {46, 13}}, 3, K_PATH);
    track(m, {{10, 18}, {10, 31}}, 2, K_PATH);

    // The orchard north of the road, a side place with fruit trees.
    blob(m, 42, 5, 6, 3, K_MEADOW, 1.0, 14);
    track(m, {{42, 12}, {42, 7}}, 2, K_PATH);
    scatter(m, 36, 1, 48, 9, K_MEADOW, T_OAK, 250, 15);

    // The jail yard and the jail: the townsfolk wait behind a double door on the south side.
    blob(m, 56, 14, 13, 12, K_MEADOW, 1.5, 16);
    rect(m, 47, 7, 64, 22, T_COBBLES);
    jail(m, 49, 9, 62, 20, T_JAIL_WALL);
    rect(m, 55, 20, 56, 20, T_JAIL_DOOR);
    for (int c : {51, 53, 58, 60}) m.set(c, 20, T_JAIL_BARS_PRISONER);
    for (int r : {12, 16}) {
        m.set(49, r, T_JAIL_BARS_PRISONER);
        m.set(62, r, T_JAIL_BARS_PRISONER);
    }
    m.set(51, 11, T_PRISONER_A);
    m.set(54, 11, T_PRISONER_B);
    m.set(58, 11, T_PRISONER_A);
    m.set(60, 14, T_PRISONER_B);
    m.set(51, 16, T_PRISONER_B);
    rect(m, 52, 16, 53, 16, T_STRAW);
    rect(m, 58, 16, 59, 17, T_STRAW);
    for (int c : {47, 64})
        for (int r : {7, 22}) m.set(c, r, T_CRATES);
    track(m, {{55, 22}, {55, 36}}, 3, K_PATH);

    // North-east woods: shady ground under old trees, and beyond them the high meadow
    // with its rocks, a spring and a ring of old stones.
    track(m, {{66, 14}, {74, 14}, {74, 19}}, 3, K_PATH);
    blob(m, 80, 20, 10, 7, K_WOODS_FLOOR, 1.5, 17);
    scatter(m, 70, 12, 91, 28, K_WOODS_FLOOR, T_OAK, 60, 18);
    blob(m, 86, 24, 3, 2, K_WATER, 0.0, 19);
    track(m, {{88, 17}, {100, 17}}, 3, K_PATH);
    blob(m, 112, 16, 15, 10, K_MEADOW, 2.0, 20);
    blob(m, 108, 10, 4, 2, K_CLIFF, 0.5, 21);
    blob(m, 122, 21, 3, 2, K_CLIFF, 0.5, 22);
    blob(m, 104, 21, 3, 2, K_WATER, 0.3, 23);
    for (auto [c, r] : {std::pair{117, 13}, {120, 14}, {121, 17}, {117, 19}, {114, 17}, {114, 14}}) m.set(c, r, T_BOULDER);
    scatter(m, 97, 6, 127, 26, K_MEADOW, T_PINE, 25, 24);

    // The pond meadow south of the village, with a sandy beach.
    blob(m, 14, 40, 11, 9, K_MEADOW, 1.5, 25);
    blob(m, 12, 41, 6, 5, K_SAND, 0.8, 26);
    blob(m, 12, 41, 4, 3, K_WATER, 0.5, 27);
    scatter(m, 3, 31, 25, 50, K_MEADOW, T_BUSH, 40, 28);

    // The second bridge leads east into the mole fields, full of molehills and boulders.
    track(m, {{22, 44}, {42, 44}}, 3, K_PATH);
    blob(m, 52, 44, 13, 9, K_MEADOW, 2.0, 29);
    blob(m, 46, 40, 3, 2, K_CLIFF, 0.5, 30);
    scatter(m, 38, 35, 66, 54, K_MEADOW, T_MOLEHILL, 60, 31);
    scatter(m, 38, 35, 66, 54, K_MEADOW, T_BOULDER, 15, 32);

    // South-west: Mossy Hollow in the deep wood, and the lake shore below it.
    track(m, {{12, 48}, {12, 64}}, 2, K_PATH);
    blob(m, 16, 72, 10, 9, K_WOODS_FLOOR, 1.5, 33);
    scatter(m, 6, 63, 26, 81, K_WOODS_FLOOR, T_PINE, 50, 34);
    blob(m, 12, 75, 2, 2, K_WATER, 0.0, 35);
    track(m, {{20, 79}, {20, 88}, {23, 88}}, 3, K_PATH);

    // From the east shore of the lake up to the warren, and from the mole fields down to it.
    track(m, {{42, 92}, {52, 92}, {52, 70}}, 3, K_PATH);
    track(m, {{52, 52}, {52, 66}}, 3, K_PATH);
    blob(m, 60, 68, 8, 5, K_MEADOW, 1.0, 36);
    scatter(m, 53, 63, 67, 73, K_MEADOW, T_MOLEHILL, 80, 37);

    // The river winds from the north edge down into the lake, cutting every path on its
    // way; bridges carry the two roads over it.
    river(m, 31, 0, 86, 4, 2.5, 30);
    blob(m, 31, 90, 12, 7, K_SAND, 1.5, 12);
    blob(m, 31, 89, 9, 5, K_WATER, 1.0, 13);
    bridge(m, 26, 12, 37, 14);
    bridge(m, 26, 43, 37, 45);

    // Dorvik Mole's clearing: an earth ring in a thick wood, one way in from the south.
    track(m, {{66, 66}, {81, 66}}, 3, K_PATH);
    blob(m, 80, 52, 9, 7, K_MEADOW, 1.0, 38);
    blob(m, 80, 52, 6, 4, T_ARENA, 0.5, 39);
    track(m, {{80, 58}, {80, 66}}, 2, K_PATH);
    for (auto [c, r] : {std::pair{73, 49}, {87, 49}, {74, 56}, {86, 56}}) m.set(c, r, T_MOLEHILL);

    finish_level(m);

    place_enemies(m, m.moles, 40,
                  {{2, 30, 24, 50}, {38, 35, 66, 54}, {68, 12, 92, 28}, {97, 6, 127, 26}, {6, 63, 26, 81},
                   {45, 4, 66, 8}, {53, 63, 67, 73}, {22, 84, 44, 96}},
                  40);
    return m;
}

}  // namespace art
