// The level files: the game's reading of them, level starts, and that every generated level plays through.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "test_files.h"
#include "test_game.h"
#include "world/level_places.h"
#include "world/level_reader.h"
#include "world/story.h"

namespace {

constexpr int CELLS = 200;  // tiles across and down
constexpr int TILE = 32;  // pixels
constexpr int STEP = 4;  // the hero walks 4 pixels a frame
constexpr int LAST_FLOOR = 30;  // tile values above this are solid
constexpr int JAIL_DOOR = 53;
constexpr int OPENED_DOOR = 10;
constexpr int PRISONER_A = 57;  // townsfolk standing in a jail
constexpr int PRISONER_B = 58;

struct Spot {
    double x = 0, y = 0;
};

// Where a level starts the hero and its boss, from the game's table of the levels' places (whose
// story zones the checks read too), and its enemy lists.
struct LevelFacts {
    int number;
    Spot hero, boss;
    std::vector<std::string> enemy_files;
};

const std::vector<std::string> ENEMY_FILES[] = {
    {"level1Moles.txt"}, {"level2Moles.txt", "level2Pigs.txt"}, {"level3Moles.txt", "level3Pigs.txt", "level3Wasps.txt"}};

// The tile map must be exactly 40,000 plain decimal numbers 0..69 with no leading zeros
// (the game would read 010 as octal), separated by white space and nothing else.
std::string read_tile_map(const std::string& path, std::vector<int>& tiles) {
    const std::string text = read_text(path);
    if (text.empty()) return "cannot read " + path;
    tiles.clear();
    size_t i = 0;
    while (i < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        if (i == start) return "a character that is not a digit at byte " + std::to_string(start);
        if (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])))
            return "a number runs into other characters at byte " + std::to_string(start);
        std::string number = text.substr(start, i - start);
        if (number.size() > 1 && number[0] == '0') return "a leading zero in \"" + number + "\"";
        if (number.size() > 2 || std::stoi(number) > 69) return "tile number " + number + " is above 69";
        tiles.push_back(std::stoi(number));
    }
    if (tiles.size() != CELLS * CELLS) return std::to_string(tiles.size()) + " tile numbers instead of 40000";
    return "";
}

// Enemy lists are pairs of decimal numbers, x then y in world pixels.
std::string read_enemy_list(const std::string& path, std::vector<Spot>& spots) {
    std::istringstream in(read_text(path));
    std::vector<double> numbers;
    std::string word;
    while (in >> word) {
        size_t used = 0;
        double v = 0;
        try {
            v = std::stod(word, &used);
        } catch (...) {
            used = 0;
        }
        if (used != word.size()) return "\"" + word + "\" is not a number";
        numbers.push_back(v);
    }
    if (numbers.size() % 2) return "an odd count of numbers";
    spots.clear();
    for (size_t k = 0; k + 1 < numbers.size(); k += 2) spots.push_back({numbers[k], numbers[k + 1]});
    return "";
}

// Whether a box of the given size at world pixel (x, y) lies on the map and touches no solid
// cell, jail doors taken as opened or not.
bool box_on_floor(const std::vector<int>& tiles, double x, double y, int size, bool doors_open = false) {
    if (x < 0 || y < 0 || x + size > CELLS * TILE || y + size > CELLS * TILE) return false;
    for (int r = static_cast<int>(y) / TILE; r <= (static_cast<int>(y + size) - 1) / TILE; ++r)
        for (int c = static_cast<int>(x) / TILE; c <= (static_cast<int>(x + size) - 1) / TILE; ++c)
            if ((doors_open && tiles[r * CELLS + c] == JAIL_DOOR ? OPENED_DOOR : tiles[r * CELLS + c]) > LAST_FLOOR) return false;
    return true;
}

// Hero positions on the 4-pixel lattice he walks on, and which of them a box fits into.
class Walker {
public:
    static constexpr int SPAN = (CELLS * TILE - TILE) / STEP + 1;  // lattice points along an axis

    Walker(const std::vector<int>& tiles, bool doors_open, int box) : free_(SPAN * SPAN, 0) {
        for (int n = 0; n < SPAN * SPAN; ++n) free_[n] = box_on_floor(tiles, n % SPAN * STEP, n / SPAN * STEP, box, doors_open);
    }

    bool fits(int x, int y) const {
        if (x < 0 || y < 0 || x % STEP || y % STEP || x / STEP >= SPAN || y / STEP >= SPAN) return false;
        return free_[(y / STEP) * SPAN + x / STEP];
    }

    // The fewest 4-pixel steps from (x, y) to each lattice position a box reaches from there in
    // breadth-first order, never standing where `banned` holds; -1 where it cannot go.
    template <class Banned>
    std::vector<int> steps_from(int x, int y, Banned banned) const {
        std::vector<int> steps(SPAN * SPAN, -1);
        if (!fits(x, y) || banned(x, y)) return steps;
        std::vector<int> queue = {(y / STEP) * SPAN + x / STEP};
        steps[queue[0]] = 0;
        for (size_t head = 0; head < queue.size(); ++head) {
            const int i = queue[head] % SPAN, j = queue[head] / SPAN;
            for (auto [ni, nj] : {std::pair{i + 1, j}, {i - 1, j}, {i, j + 1}, {i, j - 1}}) {
                const int n = nj * SPAN + ni;
                if (ni < 0 || nj < 0 || ni >= SPAN || nj >= SPAN || steps[n] >= 0 || !free_[n] || banned(ni * STEP, nj * STEP)) continue;
                steps[n] = steps[queue[head]] + 1;
                queue.push_back(n);
            }
        }
        return steps;
    }

    // Every lattice position reachable from (x, y), one byte per lattice position.
    template <class Banned>
    std::vector<uint8_t> walk(int x, int y, Banned banned) const {
        const std::vector<int> steps = steps_from(x, y, banned);
        std::vector<uint8_t> seen(steps.size());
        for (size_t n = 0; n < steps.size(); ++n) seen[n] = steps[n] >= 0;
        return seen;
    }

    // The fewest 4-pixel steps from (x, y) to a lattice position where `goal` holds, or -1.
    template <class Goal>
    int steps_to(int x, int y, Goal goal) const {
        const std::vector<int> steps = steps_from(x, y, [](int, int) { return false; });
        int fewest = -1;
        for (int n = 0; n < SPAN * SPAN; ++n)
            if (steps[n] >= 0 && (fewest < 0 || steps[n] < fewest) && goal((n % SPAN) * STEP, (n / SPAN) * STEP)) fewest = steps[n];
        return fewest;
    }

private:
    std::vector<uint8_t> free_;
};

// Whether some reached position of a `hero_box`-sized box overlaps the given box.
bool reaches_box(const std::vector<uint8_t>& seen, int hero_box, double bx, double by, int size) {
    int x0 = static_cast<int>(bx) - hero_box - STEP, y0 = static_cast<int>(by) - hero_box - STEP;
    for (int y = std::max(0, y0 - y0 % STEP); y <= by + size; y += STEP)
        for (int x = std::max(0, x0 - x0 % STEP); x <= bx + size; x += STEP) {
            if (x / STEP >= Walker::SPAN || y / STEP >= Walker::SPAN) continue;
            if (!seen[(y / STEP) * Walker::SPAN + x / STEP]) continue;
            if (x < bx + size && x + hero_box > bx && y < by + size && y + hero_box > by) return true;
        }
    return false;
}

const std::string DATA_DIR = QUILLMOOR_TEST_DATA_DIR;

// One level read from disk, with the walks the checks share.
struct CheckedLevel {
    LevelFacts facts;
    std::string error;  // why the files could not be read, if they could not
    std::vector<int> tiles;
    std::vector<std::vector<Spot>> enemies;  // one list per file of the level
    std::unique_ptr<Walker> open, wide;  // doors open: a hero-sized box and one two tiles wide
    std::vector<uint8_t> reach_closed;  // from the start, jail doors shut
    std::vector<uint8_t> reach_open;  // from the start, jail doors opened by the key
    std::vector<uint8_t> reach_wide;  // a box two tiles wide, doors open

    std::string name() const { return "Level " + std::to_string(facts.number) + ": "; }
    int tile(int col, int row) const { return tiles[row * CELLS + col]; }
};

CheckedLevel load(int number) {
    CheckedLevel l;
    const LevelPlaces& p = LEVEL_PLACES[number - 1];
    const LevelFacts& facts = l.facts = {number, {p.hero_start.x, p.hero_start.y}, {p.boss_start.x, p.boss_start.y}, ENEMY_FILES[number - 1]};
    std::string map = "Level" + std::to_string(facts.number) + ".txt";
    std::string fault = read_tile_map(DATA_DIR + "/" + map, l.tiles);
    if (!fault.empty()) {
        l.error = map + ": " + fault;
        return l;
    }
    for (const std::string& file : facts.enemy_files) {
        l.enemies.emplace_back();
        fault = read_enemy_list(DATA_DIR + "/" + file, l.enemies.back());
        if (!fault.empty()) {
            l.error = file + ": " + fault;
            return l;
        }
    }
    auto nowhere = [](int, int) { return false; };
    int hx = static_cast<int>(facts.hero.x), hy = static_cast<int>(facts.hero.y);
    l.open = std::make_unique<Walker>(l.tiles, true, TILE);
    l.wide = std::make_unique<Walker>(l.tiles, true, 2 * TILE);
    l.reach_closed = Walker(l.tiles, false, TILE).walk(hx, hy, nowhere);
    l.reach_open = l.open->walk(hx, hy, nowhere);
    l.reach_wide = l.wide->walk(hx, hy, nowhere);
    return l;
}

// The levels are read once and only read afterwards.
const CheckedLevel& level(int number) {
    static std::array<std::unique_ptr<CheckedLevel>, 3> cache;
    auto& slot = cache[number - 1];
    if (!slot) slot = std::make_unique<CheckedLevel>(load(number));
    return *slot;
}


bool reaches_zone(const std::vector<uint8_t>& seen, const StoryZone& z) {
    for (int n = 0; n < Walker::SPAN * Walker::SPAN; ++n)
        if (seen[n] && z.contains(n % Walker::SPAN * STEP, n / Walker::SPAN * STEP)) return true;
    return false;
}

// Cells that some reached position of a box of the given size covers.
std::vector<uint8_t> cells_entered(const std::vector<uint8_t>& seen, int box) {
    std::vector<uint8_t> cells(CELLS * CELLS, 0);
    for (int n = 0; n < Walker::SPAN * Walker::SPAN; ++n) {
        const int x = n % Walker::SPAN * STEP, y = n / Walker::SPAN * STEP;
        for (int r = y / TILE; seen[n] && r <= (y + box - 1) / TILE; ++r)
            for (int c = x / TILE; c <= (x + box - 1) / TILE; ++c) cells[r * CELLS + c] = 1;
    }
    return cells;
}

// A lattice position for a hero box standing inside the boss's start box.
std::pair<int, int> inside_boss(const CheckedLevel& l) {
    int x = static_cast<int>(l.facts.boss.x), y = static_cast<int>(l.facts.boss.y);
    return {(x + STEP - 1) / STEP * STEP + 16, (y + STEP - 1) / STEP * STEP + 16};
}

class LevelCheck : public ::testing::TestWithParam<int> {
protected:
    const CheckedLevel& l() {
        const CheckedLevel& checked = level(GetParam());
        if (!checked.error.empty()) ADD_FAILURE() << checked.name() << checked.error;
        return checked;
    }
};

// The files hold plain numbers and sensible enemy counts, the outermost ring is solid, and
// everyone starts on floor, every enemy where the hero reaches it without the key.
TEST_P(LevelCheck, FilesAreSoundEveryoneStartsOnFloorWithinReachAndTheJailOpensOnlyThroughItsDoors) {
    const CheckedLevel& lv = l();
    ASSERT_TRUE(lv.error.empty());
    EXPECT_TRUE(box_on_floor(lv.tiles, lv.facts.hero.x, lv.facts.hero.y, TILE)) << lv.name() << "the hero starts on a solid tile";
    EXPECT_TRUE(box_on_floor(lv.tiles, lv.facts.boss.x, lv.facts.boss.y, 2 * TILE)) << lv.name() << "the boss starts on a solid tile";
    for (size_t k = 0; k < lv.enemies.size(); ++k) {
        const std::string file = lv.name() + lv.facts.enemy_files[k];
        const size_t n = lv.enemies[k].size();
        EXPECT_GE(n, 20u) << file << " holds only " << n << " enemies";
        EXPECT_LE(n, 100u) << file << " holds more enemies than a pool has slots";
        for (const Spot& s : lv.enemies[k]) {
            EXPECT_TRUE(box_on_floor(lv.tiles, s.x, s.y, TILE)) << file << ": enemy at (" << s.x << ", " << s.y << ") starts on a solid tile";
            EXPECT_TRUE(reaches_box(lv.reach_closed, TILE, s.x, s.y, TILE))
                << file << ": the hero cannot reach the enemy at (" << s.x << ", " << s.y << ")";
        }
    }
    for (int i = 0; i < CELLS; ++i)
        for (auto [c, r] : {std::pair{i, 0}, {i, CELLS - 1}, {0, i}, {CELLS - 1, i}})
            ASSERT_GT(lv.tile(c, r), LAST_FLOOR) << lv.name() << "border cell (" << c << ", " << r << ") is floor";

    // The completion zone opens only through the jail doors.
    EXPECT_FALSE(reaches_zone(lv.reach_closed, completion_zone(lv.facts.number))) << lv.name() << "the completion zone can be reached with the jail doors shut";
    EXPECT_TRUE(reaches_zone(lv.reach_open, completion_zone(lv.facts.number))) << lv.name() << "the completion zone cannot be reached even with the doors open";

    // Every door can be bumped from outside, and every prisoner stands where only an
    // opened door lets the hero in.
    std::vector<uint8_t> outside = cells_entered(lv.reach_closed, TILE);
    std::vector<uint8_t> inside = cells_entered(lv.reach_open, TILE);
    int doors = 0, prisoners = 0;
    for (int r = 1; r < CELLS - 1; ++r)
        for (int c = 1; c < CELLS - 1; ++c) {
            int v = lv.tile(c, r);
            bool touches_outside = false, touches_jail = false;
            for (auto [dc, dr] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                int n = (r + dr) * CELLS + c + dc;
                touches_outside |= outside[n] != 0;
                touches_jail |= inside[n] && !outside[n];
            }
            if (v == JAIL_DOOR) {
                ++doors;
                EXPECT_TRUE(touches_outside) << lv.name() << "jail door at cell (" << c << ", " << r << ") cannot be reached";
            }
            if (v == PRISONER_A || v == PRISONER_B) {
                ++prisoners;
                EXPECT_TRUE(touches_jail) << lv.name() << "prisoner at cell (" << c << ", " << r << ") is not behind a jail door";
            }
        }
    EXPECT_GT(doors, 0) << lv.name() << "no jail door";
    EXPECT_GT(prisoners, 0) << lv.name() << "no prisoner in the jail";
}

TEST_P(LevelCheck, BossArenaIsReachedThroughTheEncounterZoneOnlyByAWideWayAndTheWayBackIsShort) {
    const CheckedLevel& lv = l();
    ASSERT_TRUE(lv.error.empty());
    const Spot boss = lv.facts.boss;
    const Spot key = {boss.x + 32, boss.y + 32};
    EXPECT_TRUE(reaches_box(lv.reach_closed, TILE, boss.x, boss.y, 2 * TILE))
        << lv.name() << "the boss cannot be reached without passing a jail door";
    EXPECT_TRUE(reaches_box(lv.reach_closed, TILE, key.x, key.y, TILE)) << lv.name() << "the key's drop point cannot be reached";

    const StoryZone& zone = boss_zone(lv.facts.number);
    auto in_zone = [&](int x, int y) { return zone.contains(x, y); };
    int hx = static_cast<int>(lv.facts.hero.x), hy = static_cast<int>(lv.facts.hero.y);
    std::vector<uint8_t> around = lv.open->walk(hx, hy, in_zone);
    EXPECT_FALSE(reaches_box(around, TILE, boss.x, boss.y, 2 * TILE))
        << lv.name() << "the boss can be reached without crossing the encounter zone";

    // The way through is two tiles wide.
    const int wide = 2 * TILE;
    EXPECT_TRUE(lv.wide->fits(static_cast<int>(lv.facts.hero.x), static_cast<int>(lv.facts.hero.y)))
        << lv.name() << "the start is narrower than two tiles";
    EXPECT_TRUE(reaches_zone(lv.reach_wide, completion_zone(lv.facts.number))) << lv.name() << "the way to the jail is narrower than two tiles somewhere";
    EXPECT_TRUE(reaches_box(lv.reach_wide, wide, boss.x, boss.y, wide)) << lv.name() << "the way to the boss is narrower than two tiles somewhere";

    // Once the key is won the way to the freed townsfolk is short: no level ends with a long
    // walk back over ground already cleared.
    const int most_steps = 26 * 1000 / 30;  // 26 seconds of walking at 4 pixels a 30 ms frame
    auto [bx, by] = inside_boss(lv);
    int steps = lv.open->steps_to(bx, by, [&](int x, int y) { return completion_zone(lv.facts.number).contains(x, y); });
    EXPECT_GE(steps, 0) << lv.name() << "the completion zone cannot be reached from the key";
    EXPECT_LE(steps, most_steps) << lv.name() << "the walk from the key to the completion zone takes " << steps << " steps";

    // From the boss's side of the zone, the arena is a closed place near the boss.
    std::vector<uint8_t> arena = lv.open->walk(bx, by, in_zone);
    const int radius = 24 * TILE;
    for (int n = 0; n < Walker::SPAN * Walker::SPAN; ++n) {
        const int x = n % Walker::SPAN * STEP, y = n / Walker::SPAN * STEP;
        ASSERT_TRUE(!arena[n] || (std::abs(x - boss.x) < radius && std::abs(y - boss.y) < radius))
            << lv.name() << "the boss arena is open: from the boss one walks to (" << x << ", " << y << ") without the encounter zone";
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelCheck, ::testing::Values(1, 2, 3), [](const auto& info) {
    return "Level" + std::to_string(info.param);
});

}  // namespace

class LevelFiles : public LoadedWorld {
protected:
    TempDir dir;
    std::string write(const std::string& name, const std::string& text) {
        write_text(dir.file(name), text);
        return dir.file(name);
    }
    // How many enemies of a pool are alive.
    template <class Pool>
    static int alive(const Pool& pool) {
        int n = 0;
        for (const auto& enemy : pool) n += enemy.alive ? 1 : 0;
        return n;
    }
    static int alive_moles() { return alive(world.pools.moles); }
    // Text for a whole map of `value`, with `first` numbers at the start replaced.
    static std::string full_map(const std::string& first, int value, int count) {
        std::string text = first;
        const std::string number = std::to_string(value);
        for (int i = 0; i < count; ++i) text.append(1, ' ').append(number);
        return text;
    }
};

TEST_F(LevelFiles, TileNumbersAndEnemyPairsAreReadInOrderAndAFaultEndsTheReading) {
    world.load_tile_map(write("map.txt", "010 0x1F -3 +7\n\t12   0 099").c_str());
    // A leading 0 is octal; octal stops at 9, and the 99 is the next number.
    const int32_t literals[] = {8, 31, -3, 7, 12, 0, 0, 99};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(tile_map[0][i], literals[i]) << "number " << i;
    // Rows fill left to right, then down.
    world.load_tile_map(write("rows.txt", full_map("", 1, 199) + " 45 46\n").c_str());
    EXPECT_EQ(tile_map[0][198], 1);
    EXPECT_EQ(tile_map[0][199], 45);
    EXPECT_EQ(tile_map[1][0], 46);

    for (auto& row : tile_map)
        for (int32_t& cell : row) cell = 5;
    world.load_tile_map(write("short.txt", "1 2 3\n\n  ").c_str());
    EXPECT_EQ(tile_map[0][2], 3);
    EXPECT_EQ(tile_map[0][3], 5);
    world.load_tile_map(write("bad.txt", "7 7 x 7 7").c_str());
    EXPECT_EQ(tile_map[0][1], 7);
    EXPECT_EQ(tile_map[0][2], 3) << "nothing after the bad text is read";
    EXPECT_EQ(tile_map[0][3], 5);
    world.load_tile_map(write("huge.txt", "9 99999999999 9").c_str());
    EXPECT_EQ(tile_map[0][0], 9);
    EXPECT_EQ(tile_map[0][1], 7) << "a number too large for a tile is a failed read";
    EXPECT_TRUE(world.load_tile_map(dir.file("missing.txt").c_str()));
    EXPECT_EQ(tile_map[0][0], 9);
    EXPECT_EQ(tile_map[199][199], 5);

    // Enemy pairs alternate across and down, and end at the first fault or the hundredth.
    for (int i = 0; i < 3; ++i) world.pools.moles[i].speed = 2;
    world.load_enemy_list(write("moles.txt", "100 200\n300.5 400\n2485 1689\n\n  \n").c_str(), ENEMY_KIND_MOLE);
    EXPECT_EQ(alive_moles(), 3) << "trailing blanks activate nothing";
    const Mole* m = world.pools.moles;
    EXPECT_FLOAT_EQ(m[1].body.x, 300.5f);
    EXPECT_FLOAT_EQ(m[0].body.xv, 2);
    EXPECT_FLOAT_EQ(m[0].body.yv, 0);
    EXPECT_FLOAT_EQ(m[1].body.xv, 0);
    EXPECT_FLOAT_EQ(m[1].body.yv, 2);
    EXPECT_FLOAT_EQ(m[2].body.xv, 2);
    EXPECT_EQ(m[2].hit_points, 1);
    EXPECT_EQ(m[2].body.aux_3, FACING_DOWN);
    EXPECT_TRUE(m[2].body.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FALSE(m[3].alive);

    // Half pairs, text and positions that are no finite number end the list; an unknown kind reads nothing.
    const struct {
        const char* text;
        int kind, alive;
    } lists[] = {{"1 2 3 4 5", ENEMY_KIND_MOLE, 2},       {"1 2 abc 4 5 6", ENEMY_KIND_MOLE, 1}, {"1 2 1e999 4 5 6", ENEMY_KIND_MOLE, 1},
                 {"1 2 nan 4", ENEMY_KIND_MOLE, 1}, {"1 2", 7, 0}};
    for (const auto& list : lists) {
        world.reset_enemies();
        world.load_enemy_list(write("list.txt", list.text).c_str(), list.kind);
        EXPECT_EQ(alive_moles(), list.alive) << list.text;
    }
    world.load_enemy_list(dir.file("missing.txt").c_str(), ENEMY_KIND_MOLE);
    EXPECT_EQ(alive_moles(), 0);

    std::string text;
    for (int i = 0; i < 130; ++i) text += std::to_string(i) + " 10\n";
    world.load_enemy_list(write("many.txt", text).c_str(), ENEMY_KIND_MOLE);
    EXPECT_EQ(alive_moles(), 100) << "at most one hundred enemies are taken";
    EXPECT_FLOAT_EQ(world.pools.moles[99].body.x, 99);
}

TEST_F(LevelFiles, LevelOneStartsTheHeroBossAndOpeningLinesAndEachLevelPlacesItsOwnBossFacingDown) {
    std::filesystem::current_path(dir.path);
    write("Level1.txt", full_map("", 2, 40000));
    write("level1Moles.txt", "400 400 500 500");
    world.player.lives = 3;
    world.player.has_bow = 1;
    world.scroll_x = 640;
    world.load_level(1);
    EXPECT_EQ(world.loaded_level, 1);
    EXPECT_EQ(world.scroll_x, 0);
    EXPECT_EQ(world.player.lives, 10);
    EXPECT_EQ(world.player.hit_points, 5);
    EXPECT_FLOAT_EQ(world.player.body.x, 200);
    EXPECT_FLOAT_EQ(world.player.body.y, 380);
    EXPECT_TRUE(world.player.has_bow) << "a level start alone keeps the items";
    EXPECT_EQ(alive_moles(), 2);
    EXPECT_EQ(tile_map[199][199], 2);
    EXPECT_FLOAT_EQ(world.pools.mole_boss.body.x, 2485);
    EXPECT_EQ(world.pools.mole_boss.hit_points, 5);
    ASSERT_FALSE(world.dialog_box.speech_is_idle());
    EXPECT_STREQ(world.dialog_box.top->text, "Grandfather, what happened?!?");
    EXPECT_EQ(world.dialog_box.top->speaker, 0);
    ASSERT_NE(world.dialog_box.top->next, nullptr);
    EXPECT_EQ(world.dialog_box.top->next->speaker, 1);
    EXPECT_EQ(world.dialog_box.top->next->next, nullptr);
    world.dialog_box.speech_clear();

    // Where each boss starts is the levels' design; the whole-game replays hold it.
    for (int level = 1; level <= 3; ++level) {
        EnemyBase& boss = level_boss(level);
        boss.body.aux_3 = FACING_UP;
        hide_sprite(&boss.body);
        world.load_level(level);
        EXPECT_EQ(world.loaded_level, level);
        EXPECT_TRUE(boss.alive) << level;
        EXPECT_TRUE(boss.body.attr & SPRITE_ATTR_VISIBLE) << level;
        EXPECT_EQ(boss.hit_points, 5 * level) << "five, ten and fifteen blows";
        EXPECT_FLOAT_EQ(boss.body.yv, 0) << level;
        EXPECT_EQ(boss.body.aux_3, FACING_DOWN) << level;
        world.dialog_box.speech_clear();
    }
    // The bosses of earlier levels are hidden but keep their alive flags.
    EXPECT_FALSE(world.pools.mole_boss.body.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_TRUE(world.pools.mole_boss.alive);
}

TEST_F(LevelFiles, ANewGameAndEveryLevelStartResetWhatTheyShouldAndLevelsTwoAndThreeTakeTheKey) {
    std::filesystem::current_path(dir.path);
    // The hero lost his last life on level 2 with the swine boss throwing spears.
    world.load_level(2);
    ASSERT_EQ(world.pools.swine_boss.alive, 1);
    show_sprite(&world.pools.swine_boss.spear);
    world.pools.wasp_boss.alive = 1;
    world.player.has_bow = 1;
    world.player.has_key = 1;
    world.dialog_box.speech_push(0, "left over");
    // Projectiles of the last level still in flight, as after finishing the game.
    show_sprite(&world.pools.wasps[7].stinger);
    show_sprite(&world.pools.wasp_boss.stinger);
    show_sprite(&world.player.arrow);
    start_new_game();
    EXPECT_FALSE(world.player.has_bow);
    EXPECT_FALSE(world.player.has_key);
    EXPECT_FALSE(world.pools.wasps[7].stinger.attr & SPRITE_ATTR_VISIBLE) << "no stinger hangs over the new game";
    EXPECT_FALSE(world.pools.wasp_boss.stinger.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FALSE(world.player.arrow.attr & SPRITE_ATTR_VISIBLE);
    int lines = 0;
    for (const SpeechLine* l = world.dialog_box.top; l; l = l->next) ++lines;
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(world.pools.swine_boss.alive, 0);
    EXPECT_EQ(world.pools.wasp_boss.alive, 0);
    EXPECT_FALSE(world.pools.swine_boss.spear.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_EQ(world.pools.mole_boss.alive, 1) << "level 1's own boss waits for the hero";

    // Every level start resets the hero and hides items, but keeps the rest.
    world.dialog_box.speech_clear();
    Player& p = world.player;
    world.scroll_x = 300;
    world.scroll_y = 200;
    world.boss_taunt_shown = 1;
    world.loaded_level = 2;
    p.hit_points = 1;
    p.alive = 0;
    p.body.aux_3 = FACING_LEFT;
    p.body.xv = p.body.yv = 0;
    p.body.x = 77;
    p.lives = 3;
    p.has_key = p.has_bow = 1;
    show_sprite(&world.cheese_sprite);
    show_sprite(&p.arrow);
    show_sprite(&world.pools.swine_boss.spear);
    show_sprite(&world.key_sprite);
    world.key_sprite.x = 123;
    Mole& mole = place(world.pools.moles[5], 10, 10);
    world.pools.mole_boss.alive = 1;
    show_sprite(&world.pools.mole_boss.body);
    world.pools.wasp_boss.alive = 0;

    world.load_level(0);  // no such level: the common reset alone
    EXPECT_EQ(world.scroll_x, 0);
    EXPECT_EQ(world.scroll_y, 0);
    EXPECT_FALSE(world.boss_taunt_shown);
    EXPECT_FLOAT_EQ(p.body.xv, static_cast<float>(p.speed));
    EXPECT_FLOAT_EQ(p.body.yv, static_cast<float>(p.speed));
    EXPECT_EQ(p.hit_points, 5);
    EXPECT_TRUE(p.alive);
    EXPECT_EQ(p.body.aux_3, FACING_DOWN);
    EXPECT_FALSE(world.cheese_sprite.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FALSE(p.arrow.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FALSE(world.pools.swine_boss.spear.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FALSE(mole.alive);
    EXPECT_FALSE(mole.body.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FALSE(world.pools.mole_boss.body.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_TRUE(world.pools.mole_boss.alive) << "a boss's alive flag is left as it was";
    // Not part of a level start: the position, lives, items, the key pick-up, the level number.
    EXPECT_FLOAT_EQ(p.body.x, 77);
    EXPECT_EQ(p.lives, 3);
    EXPECT_TRUE(p.has_key);
    EXPECT_TRUE(p.has_bow);
    EXPECT_TRUE(world.key_sprite.attr & SPRITE_ATTR_VISIBLE);
    EXPECT_FLOAT_EQ(world.key_sprite.x, 123);
    EXPECT_EQ(world.loaded_level, 2);
    EXPECT_TRUE(world.dialog_box.speech_is_idle());

    // Levels two and three keep the lives and take the key; only two gives the bow.
    write("level2Pigs.txt", "10 10 20 20 30 30");
    world.player.lives = 4;
    world.player.has_key = 1;
    world.load_level(2);
    EXPECT_EQ(world.player.lives, 4);
    EXPECT_TRUE(world.player.has_bow);
    EXPECT_FALSE(world.player.has_key);
    EXPECT_FLOAT_EQ(world.player.body.y, 300);
    EXPECT_EQ(alive(world.pools.pigs), 3);
    EXPECT_EQ(world.pools.pigs[0].hit_points, 2);
    EXPECT_TRUE(world.dialog_box.speech_is_idle());

    write("level3Wasps.txt", "10 10 20 20");
    write("level3Moles.txt", "5 5");
    for (uint8_t bow : {0, 1}) {
        world.player.has_key = 1;
        world.player.has_bow = bow;
        world.player.lives = 6;
        world.load_level(3);
        EXPECT_FALSE(world.player.has_key);
        EXPECT_EQ(world.player.has_bow, bow);
        EXPECT_EQ(world.player.lives, 6);
        EXPECT_FLOAT_EQ(world.player.body.x, 200);
        EXPECT_FLOAT_EQ(world.player.body.y, 380);
        EXPECT_EQ(alive(world.pools.wasps), 2);
        EXPECT_EQ(alive(world.pools.pigs), 0) << "a missing pig list leaves no pig alive";
        EXPECT_EQ(alive_moles(), 1);
        EXPECT_EQ(world.pools.wasps[1].hit_points, 3);
        EXPECT_FLOAT_EQ(world.pools.wasps[1].body.yv, static_cast<float>(world.pools.wasps[1].speed));
        EXPECT_FLOAT_EQ(world.pools.wasps[0].body.xv, static_cast<float>(world.pools.wasps[0].speed)) << "each file starts across";
    }
}
