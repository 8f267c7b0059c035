// Level 2, the pigs' farmland: fenced fields, corn, barns and a pond, the stone jail in the
// middle of the farms, and Lord Hogrand's fort in the east with his keep behind a long gate.
#include "level_map.h"

namespace art {

namespace {

// A fenced field with a gap of three in the middle of each side.
void fenced_field(LevelMap& m, int c0, int r0, int c1, int r1) {
    rect(m, c0 + 1, r0 + 1, c1 - 1, r1 - 1, K_FIELD);
    rect(m, c0, r0, c1, r0, T_FENCE_H);
    rect(m, c0, r1, c1, r1, T_FENCE_H);
    rect(m, c0, r0 + 1, c0, r1 - 1, T_FENCE_V);
    rect(m, c1, r0 + 1, c1, r1 - 1, T_FENCE_V);
    int mc = (c0 + c1) / 2, mr = (r0 + r1) / 2;
    rect(m, mc - 1, r0, mc + 1, r0, K_PATH);
    rect(m, mc - 1, r1, mc + 1, r1, K_PATH);
    rect(m, c0, mr - 1, c0, mr + 1, K_PATH);
    rect(m, c1, mr - 1, c1, mr + 1, K_PATH);
}

}  // namespace

LevelMap build_level_2() {
    LevelMap m = level_map_start(2);
    m.cells.fill(K_FOREST);

    // The farmland: open pasture inside a ring of woods.
    blob(m, 47, 34, 45, 31, K_MEADOW, 2.5, 41);
    rect(m, 3, 4, 12, 14, K_MEADOW);

    // Roads: the high road east to the fort gate, a lane south through the farms.
    track(m, {{6, 10}, {96, 10}}, 3, K_PATH);
    track(m, {{38, 10}, {38, 58}, {80, 58}}, 3, K_PATH);
    track(m, {{38, 32}, {58, 32}}, 3, K_PATH);

    // Fields, a corn maze, barns and haystacks.
    fenced_field(m, 12, 16, 30, 28);
    fenced_field(m, 12, 34, 30, 48);
    rect(m, 44, 14, 56, 26, T_CORN);
    track(m, {{44, 16}, {50, 16}, {50, 24}, {56, 24}}, 2, K_PATH);
    track(m, {{47, 20}, {53, 20}}, 2, K_PATH);
    rect(m, 18, 52, 23, 54, T_ROOF);
    rect(m, 18, 55, 23, 55, T_TIMBER_WALL);
    rect(m, 18, 56, 23, 57, T_STRAW);
    rect(m, 58, 4, 63, 5, T_ROOF);
    rect(m, 58, 6, 63, 6, T_TIMBER_WALL);
    // Farmhouses along the lane to the jail.
    for (auto [c, r] : {std::pair{42, 35}, {48, 40}, {42, 45}, {80, 36}, {80, 42}}) {
        rect(m, c, r, c + 3, r + 1, T_ROOF);
        rect(m, c, r + 2, c + 3, r + 2, T_TIMBER_WALL);
    }
    // An apple orchard east of the corn, a pig sty, and lone trees over the pastures.
    scatter(m, 62, 13, 88, 21, K_MEADOW, T_OAK, 350, 50);
    rect(m, 83, 24, 90, 30, T_FENCE_H);
    rect(m, 83, 25, 83, 29, T_FENCE_V);
    rect(m, 90, 25, 90, 29, T_FENCE_V);
    rect(m, 84, 25, 89, 29, T_MUD);
    rect(m, 86, 30, 87, 30, K_PATH);
    scatter(m, 2, 2, 92, 66, K_MEADOW, T_OAK, 12, 51);
    scatter(m, 4, 40, 36, 64, K_MEADOW, T_HAYSTACK, 50, 42);
    scatter(m, 60, 2, 92, 64, K_MEADOW, T_BUSH, 25, 43);

    // The duck pond by the southern lane.
    blob(m, 80, 50, 7, 4, K_SAND, 0.8, 44);
    blob(m, 80, 50, 5, 3, K_WATER, 0.6, 45);

    // South of the farms: a glade in the woods with a stream and a woodcutter's hut.
    track(m, {{24, 58}, {24, 78}}, 3, K_PATH);
    blob(m, 30, 86, 14, 9, K_WOODS_FLOOR, 1.5, 52);
    track(m, {{30, 85}, {56, 85}}, 3, K_PATH);
    river(m, 44, 66, 105, 3, 2.0, 20);
    bridge(m, 40, 84, 48, 86);
    blob(m, 62, 88, 8, 6, K_MEADOW, 1.0, 53);
    rect(m, 60, 84, 64, 85, T_ROOF);
    rect(m, 60, 86, 64, 86, T_TIMBER_WALL);
    scatter(m, 16, 77, 44, 95, K_WOODS_FLOOR, T_PINE, 60, 54);
    scatter(m, 54, 82, 70, 94, K_MEADOW, T_BOULDER, 30, 55);

    // The jail house, with a cobbled yard; its double door faces south.
    rect(m, 57, 23, 76, 42, T_COBBLES);
    jail(m, 60, 26, 73, 38, T_JAIL_WALL);
    rect(m, 66, 38, 67, 38, T_JAIL_DOOR);
    for (int c : {62, 64, 69, 71}) m.set(c, 38, T_JAIL_BARS_PRISONER);
    for (int r : {29, 33}) {
        m.set(60, r, T_JAIL_BARS_PRISONER);
        m.set(73, r, T_JAIL_BARS_PRISONER);
    }
    m.set(62, 28, T_PRISONER_B);
    m.set(65, 28, T_PRISONER_A);
    m.set(69, 28, T_PRISONER_B);
    m.set(71, 31, T_PRISONER_A);
    m.set(62, 33, T_PRISONER_A);
    rect(m, 63, 33, 64, 34, T_STRAW);
    track(m, {{66, 42}, {66, 58}}, 3, K_PATH);
    // The postern road: from the jail straight east to the fort's back gate, the short way
    // back once Lord Hogrand's key is won.
    track(m, {{77, 40}, {95, 40}}, 3, K_PATH);

    // The fort: a moat, a wall two tiles thick around a paved yard, the gate on the west
    // side with a bridge over the moat, and a tower at each corner.
    box(m, 90, 1, 136, 63, 3, K_WATER);
    rect(m, 94, 4, 132, 60, K_FORT);
    bridge(m, 90, 9, 93, 11);
    rect(m, 96, 6, 130, 58, T_SLABS);
    rect(m, 94, 9, 95, 11, K_PATH);
    // The postern in the west wall, facing the jail across the moat.
    bridge(m, 90, 39, 92, 41);
    rect(m, 93, 39, 95, 41, K_PATH);
    rect(m, 93, 37, 93, 38, K_FORT);  // gate towers either side of it
    rect(m, 93, 42, 93, 43, K_FORT);
    m.sights.push_back({"postern", 91, 40});
    for (auto [c, r] : {std::pair{94, 4}, {128, 4}, {94, 56}, {128, 56}}) rect(m, c, r, c + 4, r + 4, K_FORT);
    // A drill ground of trodden earth, with a well and barrels.
    rect(m, 112, 50, 122, 55, T_ARENA);
    m.set(117, 52, T_BOULDER);
    // Barracks: clay roofs over log walls, boardwalks in front.
    rect(m, 100, 42, 110, 45, T_ROOF);
    rect(m, 116, 42, 126, 45, T_ROOF);
    rect(m, 100, 46, 110, 46, T_TIMBER_WALL);
    rect(m, 116, 46, 126, 46, T_TIMBER_WALL);
    rect(m, 100, 47, 110, 47, T_BOARDS);
    rect(m, 116, 47, 126, 47, T_BOARDS);
    // A cobbled road from the main gate down the west side to the keep's gate and the postern.
    rect(m, 96, 9, 97, 41, T_COBBLES);
    rect(m, 96, 38, 102, 41, T_COBBLES);
    // The kitchen garden along the north wall, with a haystack at each end.
    rect(m, 103, 6, 121, 8, K_FIELD);
    m.set(101, 7, T_HAYSTACK);
    m.set(123, 7, T_HAYSTACK);
    // The east yard: the pigs' wallows and their straw beds.
    blob(m, 128, 15, 1, 3, T_MUD, 0.3, 56);
    rect(m, 127, 24, 129, 27, T_STRAW);
    blob(m, 128, 32, 1, 2, T_MUD, 0.3, 57);
    blob(m, 104, 53, 3, 2, T_MUD, 0.5, 58);
    m.sights.push_back({"fort_yard", 104, 48});
    scatter(m, 96, 38, 130, 58, T_SLABS, T_CRATES, 40, 46);
    scatter(m, 124, 6, 130, 36, T_SLABS, T_CRATES, 60, 47);

    // The keep, Lord Hogrand's hall, walled three thick. The only way in is the gate
    // passage: north from the yard, east along the passage, then north into the hall.
    rect(m, 98, 11, 125, 37, K_FORT);
    rect(m, 102, 14, 120, 29, T_SLABS);
    rect(m, 113, 14, 114, 29, T_CARPET);
    rect(m, 100, 33, 114, 34, T_COBBLES);
    rect(m, 100, 35, 101, 37, T_COBBLES);
    rect(m, 113, 30, 114, 32, T_CARPET);
    for (auto [c, r] : {std::pair{104, 16}, {118, 16}, {104, 27}, {118, 27}}) m.set(c, r, T_CRATES);
    // Lord Hogrand's hall: his seat on a dais at the head of the carpet, brick pillars, his
    // mud bath and a bed of straw.
    rect(m, 111, 14, 116, 15, T_BOARDS);
    rect(m, 113, 14, 114, 14, T_CARPET);
    for (auto [c, r] : {std::pair{107, 18}, {107, 25}, {117, 20}, {117, 25}}) m.set(c, r, K_FORT);
    blob(m, 105, 22, 2, 1, T_MUD, 0.3, 59);
    rect(m, 102, 14, 103, 15, T_STRAW);
    m.sights.push_back({"hall", 110, 21});

    finish_level(m);

    place_enemies(m, m.moles, 30, {{2, 14, 36, 62}, {40, 28, 90, 64}, {60, 2, 92, 20}, {16, 77, 70, 95}}, 48);
    place_enemies(m, m.pigs, 40, {{96, 6, 130, 10}, {96, 38, 130, 58}, {124, 6, 130, 36}, {40, 2, 92, 64}}, 49);
    return m;
}

}  // namespace art
