// The level files: the game's reading of them, level starts, and that every generated level plays through.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <memory>
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

// Each level's enemy lists; where the hero and the boss start, and the story zones the checks
// read, come from the game's table of the levels' places.
const std::vector<std::string> ENEMY_FILES[] = {
    {"level1Moles.txt"}, {"level2Moles.txt", "level2Pigs.txt"}, {"level3Moles.txt", "level3Pigs.txt", "level3Wasps.txt"}};

// The tile map must be exactly 40,000 plain decimal numbers 0..69 with no leading zeros
// (the game would read 010 as octal), separated by white space and nothing else. The game's own
// reader would take such faults quietly, so this one is stricter.
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

// Enemy lists are pairs of positions, x then y in world pixels, read by the game's reader. Where
// the game quietly ends a list at a half pair or at text that is no position, here it is a fault.
std::string read_enemy_list(const std::string& path, std::vector<WorldSpot>& spots) {
    LevelReader in(path.c_str(), DataKind::EnemyList);
    if (!in.is_open()) return in.fault();
    spots.clear();
    for (WorldSpot s; in.read_float(&s.x);) {
        if (!in.read_float(&s.y)) return "a half pair at line " + std::to_string(in.line());
        spots.push_back(s);
    }
    return in.at_end() ? "" : "text that is not a position at line " + std::to_string(in.line());
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

// Hero positions on the 4-pixel lattice he walks on, and which of them a box fits into. This
// walker is the checks' own, apart from the game's movement, so that it proves what the levels allow.
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
    // breadth-first order, never standing inside `banned`; -1 where it cannot go.
    std::vector<int> walk(int x, int y, const StoryZone* banned = nullptr) const {
        std::vector<int> steps(SPAN * SPAN, -1);
        if (!fits(x, y) || (banned && banned->contains(x, y))) return steps;
        std::vector<int> queue = {(y / STEP) * SPAN + x / STEP};
        steps[queue[0]] = 0;
        for (size_t head = 0; head < queue.size(); ++head) {
            const int i = queue[head] % SPAN, j = queue[head] / SPAN;
            for (auto [ni, nj] : {std::pair{i + 1, j}, {i - 1, j}, {i, j + 1}, {i, j - 1}}) {
                const int n = nj * SPAN + ni;
                if (ni < 0 || nj < 0 || ni >= SPAN || nj >= SPAN || steps[n] >= 0 || !free_[n]) continue;
                if (banned && banned->contains(ni * STEP, nj * STEP)) continue;
                steps[n] = steps[queue[head]] + 1;
                queue.push_back(n);
            }
        }
        return steps;
    }

private:
    std::vector<uint8_t> free_;
};

// Whether some reached position of a `hero_box`-sized box overlaps the given box.
bool reaches_box(const std::vector<int>& steps, int hero_box, double bx, double by, int size) {
    int x0 = static_cast<int>(bx) - hero_box - STEP, y0 = static_cast<int>(by) - hero_box - STEP;
    for (int y = std::max(0, y0 - y0 % STEP); y <= by + size; y += STEP)
        for (int x = std::max(0, x0 - x0 % STEP); x <= bx + size; x += STEP) {
            if (x / STEP >= Walker::SPAN || y / STEP >= Walker::SPAN) continue;
            if (steps[(y / STEP) * Walker::SPAN + x / STEP] < 0) continue;
            if (x < bx + size && x + hero_box > bx && y < by + size && y + hero_box > by) return true;
        }
    return false;
}

// The fewest steps of a walk to a position inside the zone, or -1 where the walk never enters it.
int steps_into(const std::vector<int>& steps, const StoryZone& z) {
    int fewest = -1;
    for (int n = 0; n < Walker::SPAN * Walker::SPAN; ++n)
        if (steps[n] >= 0 && (fewest < 0 || steps[n] < fewest) && z.contains(n % Walker::SPAN * STEP, n / Walker::SPAN * STEP))
            fewest = steps[n];
    return fewest;
}

// One level read from disk, with the walks the checks share (steps from the start, -1 unreached).
struct CheckedLevel {
    int number = 0;
    LevelPlaces places{};
    std::string error;  // why the files could not be read, if they could not
    std::vector<int> tiles;
    std::vector<std::vector<WorldSpot>> enemies;  // one list per file of the level
    std::unique_ptr<Walker> open, wide;  // doors open: a hero-sized box and one two tiles wide
    std::vector<int> reach_closed;  // from the start, jail doors shut
    std::vector<int> reach_open;  // from the start, jail doors opened by the key
    std::vector<int> reach_wide;  // a box two tiles wide, doors open

    std::string name() const { return "Level " + std::to_string(number) + ": "; }
    int tile(int col, int row) const { return tiles[row * CELLS + col]; }
};

CheckedLevel load(int number) {
    CheckedLevel l;
    l.number = number;
    l.places = LEVEL_PLACES[number - 1];
    std::string file = "Level" + std::to_string(number) + ".txt";
    std::string fault = read_tile_map(data_path(file), l.tiles);
    l.enemies.resize(ENEMY_FILES[number - 1].size());
    for (size_t k = 0; fault.empty() && k < l.enemies.size(); ++k) {
        file = ENEMY_FILES[number - 1][k];
        fault = read_enemy_list(data_path(file), l.enemies[k]);
    }
    if (!fault.empty()) {
        l.error = file + ": " + fault;
        return l;
    }
    const int hx = static_cast<int>(l.places.hero_start.x), hy = static_cast<int>(l.places.hero_start.y);
    l.open = std::make_unique<Walker>(l.tiles, true, TILE);
    l.wide = std::make_unique<Walker>(l.tiles, true, 2 * TILE);
    l.reach_closed = Walker(l.tiles, false, TILE).walk(hx, hy);
    l.reach_open = l.open->walk(hx, hy);
    l.reach_wide = l.wide->walk(hx, hy);
    return l;
}

// The levels are read once and only read afterwards.
const CheckedLevel& level(int number) {
    static std::array<std::unique_ptr<CheckedLevel>, 3> cache;
    auto& slot = cache[number - 1];
    if (!slot) slot = std::make_unique<CheckedLevel>(load(number));
    return *slot;
}

// Cells that some reached position of a box of the given size covers.
std::vector<uint8_t> cells_entered(const std::vector<int>& steps, int box) {
    std::vector<uint8_t> cells(CELLS * CELLS, 0);
    for (int n = 0; n < Walker::SPAN * Walker::SPAN; ++n) {
        const int x = n % Walker::SPAN * STEP, y = n / Walker::SPAN * STEP;
        for (int r = y / TILE; steps[n] >= 0 && r <= (y + box - 1) / TILE; ++r)
            for (int c = x / TILE; c <= (x + box - 1) / TILE; ++c) cells[r * CELLS + c] = 1;
    }
    return cells;
}

class LevelCheck : public ::testing::TestWithParam<int> {};

// The files hold plain numbers and sensible enemy counts, the outermost ring is solid, and
// everyone starts on floor, every enemy where the hero reaches it without the key.
TEST_P(LevelCheck, FilesAreSoundEveryoneStartsOnFloorWithinReachAndTheJailOpensOnlyThroughItsDoors) {
    const CheckedLevel& lv = level(GetParam());
    ASSERT_TRUE(lv.error.empty()) << lv.name() << lv.error;
    const WorldSpot hero = lv.places.hero_start, boss = lv.places.boss_start;
    EXPECT_TRUE(box_on_floor(lv.tiles, hero.x, hero.y, TILE)) << lv.name() << "the hero starts on a solid tile";
    EXPECT_TRUE(box_on_floor(lv.tiles, boss.x, boss.y, 2 * TILE)) << lv.name() << "the boss starts on a solid tile";
    for (size_t k = 0; k < lv.enemies.size(); ++k) {
        const std::string file = lv.name() + ENEMY_FILES[lv.number - 1][k];
        const size_t n = lv.enemies[k].size();
        EXPECT_GE(n, 20u) << file << " holds only " << n << " enemies";
        EXPECT_LE(n, 100u) << file << " holds more enemies than a pool has slots";
        for (const WorldSpot& s : lv.enemies[k]) {
            EXPECT_TRUE(box_on_floor(lv.tiles, s.x, s.y, TILE)) << file << ": enemy at (" << s.x << ", " << s.y << ") starts on a solid tile";
            EXPECT_TRUE(reaches_box(lv.reach_closed, TILE, s.x, s.y, TILE))
                << file << ": the hero cannot reach the enemy at (" << s.x << ", " << s.y << ")";
        }
    }
    for (int i = 0; i < CELLS; ++i)
        for (auto [c, r] : {std::pair{i, 0}, {i, CELLS - 1}, {0, i}, {CELLS - 1, i}})
            ASSERT_GT(lv.tile(c, r), LAST_FLOOR) << lv.name() << "border cell (" << c << ", " << r << ") is floor";

    // The completion zone opens only through the jail doors.
    EXPECT_LT(steps_into(lv.reach_closed, lv.places.completion_zone), 0) << lv.name() << "the completion zone can be reached with the jail doors shut";
    EXPECT_GE(steps_into(lv.reach_open, lv.places.completion_zone), 0) << lv.name() << "the completion zone cannot be reached even with the doors open";

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
    const CheckedLevel& lv = level(GetParam());
    ASSERT_TRUE(lv.error.empty()) << lv.name() << lv.error;
    const WorldSpot hero = lv.places.hero_start, boss = lv.places.boss_start;
    const WorldSpot key = {boss.x + 32, boss.y + 32};
    EXPECT_TRUE(reaches_box(lv.reach_closed, TILE, boss.x, boss.y, 2 * TILE))
        << lv.name() << "the boss cannot be reached without passing a jail door";
    EXPECT_TRUE(reaches_box(lv.reach_closed, TILE, key.x, key.y, TILE)) << lv.name() << "the key's drop point cannot be reached";

    const StoryZone& zone = lv.places.boss_zone;
    const int hx = static_cast<int>(hero.x), hy = static_cast<int>(hero.y);
    EXPECT_FALSE(reaches_box(lv.open->walk(hx, hy, &zone), TILE, boss.x, boss.y, 2 * TILE))
        << lv.name() << "the boss can be reached without crossing the encounter zone";

    // The way through is two tiles wide.
    const int wide = 2 * TILE;
    EXPECT_TRUE(lv.wide->fits(hx, hy)) << lv.name() << "the start is narrower than two tiles";
    EXPECT_GE(steps_into(lv.reach_wide, lv.places.completion_zone), 0) << lv.name() << "the way to the jail is narrower than two tiles somewhere";
    EXPECT_TRUE(reaches_box(lv.reach_wide, wide, boss.x, boss.y, wide)) << lv.name() << "the way to the boss is narrower than two tiles somewhere";

    // Once the key is won the way to the freed townsfolk is short: no level ends with a long
    // walk back over ground already cleared. The walk starts from a hero box inside the boss's start box.
    const int most_steps = 26 * 1000 / 30;  // 26 seconds of walking at 4 pixels a 30 ms frame
    const int bx = (static_cast<int>(boss.x) + STEP - 1) / STEP * STEP + 16, by = (static_cast<int>(boss.y) + STEP - 1) / STEP * STEP + 16;
    const int steps = steps_into(lv.open->walk(bx, by), lv.places.completion_zone);
    EXPECT_GE(steps, 0) << lv.name() << "the completion zone cannot be reached from the key";
    EXPECT_LE(steps, most_steps) << lv.name() << "the walk from the key to the completion zone takes " << steps << " steps";

    // From the boss's side of the zone, the arena is a closed place near the boss.
    const std::vector<int> arena = lv.open->walk(bx, by, &zone);
    const int radius = 24 * TILE;
    for (int n = 0; n < Walker::SPAN * Walker::SPAN; ++n) {
        const int x = n % Walker::SPAN * STEP, y = n / Walker::SPAN * STEP;
        ASSERT_TRUE(arena[n] < 0 || (std::abs(x - boss.x) < radius && std::abs(y - boss.y) < radius))
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
    EXPECT_EQ(alive(world.pools.moles), 3) << "trailing blanks activate nothing";
    const Mole* m = world.pools.moles;
    EXPECT_FLOAT_EQ(m[1].body.x, 300.5f);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(m[i].body.xv, i == 1 ? 0 : 2) << "mole " << i << " moves across";
        EXPECT_FLOAT_EQ(m[i].body.yv, i == 1 ? 2 : 0) << "mole " << i << " moves down";
    }
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
        EXPECT_EQ(alive(world.pools.moles), list.alive) << list.text;
    }
    world.load_enemy_list(dir.file("missing.txt").c_str(), ENEMY_KIND_MOLE);
    EXPECT_EQ(alive(world.pools.moles), 0);

    std::string text;
    for (int i = 0; i < 130; ++i) text += std::to_string(i) + " 10\n";
    world.load_enemy_list(write("many.txt", text).c_str(), ENEMY_KIND_MOLE);
    EXPECT_EQ(alive(world.pools.moles), 100) << "at most one hundred enemies are taken";
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
    EXPECT_EQ(alive(world.pools.moles), 2);
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
    // The hero lost his last life on level 2 with the swine boss throwing spears, and projectiles
    // of the last level are still in flight, as after finishing the game.
    world.load_level(2);
    ASSERT_EQ(world.pools.swine_boss.alive, 1);
    Sprite* const flying[] = {&world.pools.swine_boss.spear, &world.pools.wasps[7].stinger, &world.pools.wasp_boss.stinger, &world.player.arrow};
    for (Sprite* s : flying) show_sprite(s);
    world.pools.wasp_boss.alive = 1;
    world.player.has_bow = 1;
    world.player.has_key = 1;
    world.dialog_box.speech_push(0, "left over");
    start_new_game();
    EXPECT_FALSE(world.player.has_bow);
    EXPECT_FALSE(world.player.has_key);
    for (size_t k = 0; k < std::size(flying); ++k)
        EXPECT_FALSE(flying[k]->attr & SPRITE_ATTR_VISIBLE) << "no spear, stinger or arrow hangs over the new game: " << k;
    int lines = 0;
    for (const SpeechLine* l = world.dialog_box.top; l; l = l->next) ++lines;
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(world.pools.swine_boss.alive, 0);
    EXPECT_EQ(world.pools.wasp_boss.alive, 0);
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
    show_sprite(&world.key_sprite);
    world.key_sprite.x = 123;
    Mole& mole = place(world.pools.moles[5], 10, 10);
    world.pools.mole_boss.alive = 1;
    world.pools.wasp_boss.alive = 0;
    Sprite* const hidden[] = {&world.cheese_sprite, &p.arrow, &world.pools.swine_boss.spear, &mole.body, &world.pools.mole_boss.body};
    for (Sprite* s : hidden) show_sprite(s);

    world.load_level(0);  // no such level: the common reset alone
    EXPECT_EQ(world.scroll_x, 0);
    EXPECT_EQ(world.scroll_y, 0);
    EXPECT_FALSE(world.boss_taunt_shown);
    EXPECT_FLOAT_EQ(p.body.xv, static_cast<float>(p.speed));
    EXPECT_FLOAT_EQ(p.body.yv, static_cast<float>(p.speed));
    EXPECT_EQ(p.hit_points, 5);
    EXPECT_TRUE(p.alive);
    EXPECT_EQ(p.body.aux_3, FACING_DOWN);
    for (size_t k = 0; k < std::size(hidden); ++k) EXPECT_FALSE(hidden[k]->attr & SPRITE_ATTR_VISIBLE) << "a level start hides sprite " << k;
    EXPECT_FALSE(mole.alive);
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
        EXPECT_EQ(alive(world.pools.moles), 1);
        EXPECT_EQ(world.pools.wasps[1].hit_points, 3);
        EXPECT_FLOAT_EQ(world.pools.wasps[1].body.yv, static_cast<float>(world.pools.wasps[1].speed));
        EXPECT_FLOAT_EQ(world.pools.wasps[0].body.xv, static_cast<float>(world.pools.wasps[0].speed)) << "each file starts across";
    }
}
