// Proves on the generated level files that every level can be played through as the hero moves.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "level_check.h"
#include "world/story.h"

namespace lc = level_check;

namespace {

const std::string DATA_DIR = QUILLMOOR_TEST_DATA_DIR;

// One level read from disk, with the walks the checks share.
struct CheckedLevel {
    lc::LevelFacts facts;
    std::string error;  // why the files could not be read, if they could not
    std::vector<int> tiles;
    std::vector<std::vector<lc::Spot>> enemies;  // one list per file of the level
    std::unique_ptr<lc::Walker> closed, open, wide;
    std::vector<uint8_t> reach_closed;  // from the start, jail doors shut
    std::vector<uint8_t> reach_open;  // from the start, jail doors opened by the key
    std::vector<uint8_t> reach_wide;  // a box two tiles wide, doors open

    std::string name() const { return "Level " + std::to_string(facts.number) + ": "; }
    int tile(int col, int row) const { return tiles[row * lc::CELLS + col]; }
};

CheckedLevel load(const lc::LevelFacts& facts) {
    CheckedLevel l;
    l.facts = facts;
    std::string map = "Level" + std::to_string(facts.number) + ".txt";
    std::string fault = lc::read_tile_map(DATA_DIR + "/" + map, l.tiles);
    if (!fault.empty()) {
        l.error = map + ": " + fault;
        return l;
    }
    for (const std::string& file : facts.enemy_files) {
        l.enemies.emplace_back();
        fault = lc::read_enemy_list(DATA_DIR + "/" + file, l.enemies.back());
        if (!fault.empty()) {
            l.error = file + ": " + fault;
            return l;
        }
    }
    auto nowhere = [](int, int) { return false; };
    int hx = static_cast<int>(facts.hero.x), hy = static_cast<int>(facts.hero.y);
    l.closed = std::make_unique<lc::Walker>(l.tiles, false, lc::TILE);
    l.open = std::make_unique<lc::Walker>(l.tiles, true, lc::TILE);
    l.wide = std::make_unique<lc::Walker>(l.tiles, true, 2 * lc::TILE);
    l.reach_closed = l.closed->walk(hx, hy, nowhere);
    l.reach_open = l.open->walk(hx, hy, nowhere);
    l.reach_wide = l.wide->walk(hx, hy, nowhere);
    return l;
}

// The levels are read once and only read afterwards.
const CheckedLevel& level(int number) {
    static std::array<std::unique_ptr<CheckedLevel>, 3> cache;
    auto& slot = cache[number - 1];
    if (!slot) slot = std::make_unique<CheckedLevel>(load(lc::level_facts()[number - 1]));
    return *slot;
}

// Whether a box of the given size at world pixel (x, y) touches no solid cell.
bool box_on_floor(const CheckedLevel& l, double x, double y, int size) {
    if (x < 0 || y < 0 || x + size > lc::CELLS * lc::TILE || y + size > lc::CELLS * lc::TILE) return false;
    int c0 = static_cast<int>(x) / lc::TILE, r0 = static_cast<int>(y) / lc::TILE;
    int c1 = (static_cast<int>(x + size) - 1) / lc::TILE, r1 = (static_cast<int>(y + size) - 1) / lc::TILE;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c)
            if (l.tile(c, r) > lc::LAST_FLOOR) return false;
    return true;
}

bool reaches_zone(const std::vector<uint8_t>& seen, const StoryZone& z) {
    for (int j = 0; j < lc::Walker::SPAN; ++j)
        for (int i = 0; i < lc::Walker::SPAN; ++i)
            if (seen[j * lc::Walker::SPAN + i] && z.contains(i * lc::STEP, j * lc::STEP)) return true;
    return false;
}

// Cells that some reached position of a box of the given size covers.
std::vector<uint8_t> cells_entered(const std::vector<uint8_t>& seen, int box) {
    std::vector<uint8_t> cells(lc::CELLS * lc::CELLS, 0);
    for (int j = 0; j < lc::Walker::SPAN; ++j)
        for (int i = 0; i < lc::Walker::SPAN; ++i) {
            if (!seen[j * lc::Walker::SPAN + i]) continue;
            int x = i * lc::STEP, y = j * lc::STEP;
            for (int r = y / lc::TILE; r <= (y + box - 1) / lc::TILE; ++r)
                for (int c = x / lc::TILE; c <= (x + box - 1) / lc::TILE; ++c) cells[r * lc::CELLS + c] = 1;
        }
    return cells;
}

// A lattice position for a hero box standing inside the boss's start box.
std::pair<int, int> inside_boss(const CheckedLevel& l) {
    int x = static_cast<int>(l.facts.boss.x), y = static_cast<int>(l.facts.boss.y);
    return {(x + lc::STEP - 1) / lc::STEP * lc::STEP + 16, (y + lc::STEP - 1) / lc::STEP * lc::STEP + 16};
}

class LevelCheck : public ::testing::TestWithParam<int> {
protected:
    const CheckedLevel& l() {
        const CheckedLevel& checked = level(GetParam());
        if (!checked.error.empty()) ADD_FAILURE() << checked.name() << checked.error;
        return checked;
    }
};

TEST_P(LevelCheck, FilesHoldPlainNumbersAndSensibleEnemyCounts) {
    const CheckedLevel& lv = l();
    ASSERT_TRUE(lv.error.empty());
    for (size_t k = 0; k < lv.enemies.size(); ++k) {
        size_t n = lv.enemies[k].size();
        EXPECT_GE(n, 20u) << lv.name() << lv.facts.enemy_files[k] << " holds only " << n << " enemies";
        EXPECT_LE(n, 100u) << lv.name() << lv.facts.enemy_files[k] << " holds more enemies than a pool has slots";
    }
}

TEST_P(LevelCheck, OutermostRingIsSolid) {
    const CheckedLevel& lv = l();
    ASSERT_TRUE(lv.error.empty());
    for (int i = 0; i < lc::CELLS; ++i)
        for (auto [c, r] : {std::pair{i, 0}, {i, lc::CELLS - 1}, {0, i}, {lc::CELLS - 1, i}})
            ASSERT_GT(lv.tile(c, r), lc::LAST_FLOOR) << lv.name() << "border cell (" << c << ", " << r << ") is floor";
}

TEST_P(LevelCheck, EveryoneStartsOnFloor) {
    const CheckedLevel& lv = l();
    ASSERT_TRUE(lv.error.empty());
    EXPECT_TRUE(box_on_floor(lv, lv.facts.hero.x, lv.facts.hero.y, lc::TILE)) << lv.name() << "the hero starts on a solid tile";
    EXPECT_TRUE(box_on_floor(lv, lv.facts.boss.x, lv.facts.boss.y, 2 * lc::TILE)) << lv.name() << "the boss starts on a solid tile";
    for (size_t k = 0; k < lv.enemies.size(); ++k)
        for (const lc::Spot& s : lv.enemies[k])
            EXPECT_TRUE(box_on_floor(lv, s.x, s.y, lc::TILE))
                << lv.name() << lv.facts.enemy_files[k] << ": enemy at (" << s.x << ", " << s.y << ") starts on a solid tile";
}

TEST_P(LevelCheck, EveryEnemyCanBeReachedWithoutTheKey) {
    const CheckedLevel& lv = l();
    ASSERT_TRUE(lv.error.empty());
    for (size_t k = 0; k < lv.enemies.size(); ++k)
        for (const lc::Spot& s : lv.enemies[k])
            EXPECT_TRUE(lc::reaches_box(lv.reach_closed, lc::TILE, s.x, s.y, lc::TILE))
                << lv.name() << lv.facts.enemy_files[k] << ": the hero cannot reach the enemy at (" << s.x << ", " << s.y << ")";
}

TEST_P(LevelCheck, CompletionZoneOpensOnlyThroughJailDoors) {
    const CheckedLevel& lv = l();
    ASSERT_TRUE(lv.error.empty());
    EXPECT_FALSE(reaches_zone(lv.reach_closed, completion_zone(lv.facts.number))) << lv.name() << "the completion zone can be reached with the jail doors shut";
    EXPECT_TRUE(reaches_zone(lv.reach_open, completion_zone(lv.facts.number))) << lv.name() << "the completion zone cannot be reached even with the doors open";

    // Every door can be bumped from outside, and every prisoner stands where only an
    // opened door lets the hero in.
    std::vector<uint8_t> outside = cells_entered(lv.reach_closed, lc::TILE);
    std::vector<uint8_t> inside = cells_entered(lv.reach_open, lc::TILE);
    int doors = 0, prisoners = 0;
    for (int r = 1; r < lc::CELLS - 1; ++r)
        for (int c = 1; c < lc::CELLS - 1; ++c) {
            int v = lv.tile(c, r);
            bool touches_outside = false, touches_jail = false;
            for (auto [dc, dr] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                int n = (r + dr) * lc::CELLS + c + dc;
                touches_outside |= outside[n] != 0;
                touches_jail |= inside[n] && !outside[n];
            }
            if (v == lc::JAIL_DOOR) {
                ++doors;
                EXPECT_TRUE(touches_outside) << lv.name() << "jail door at cell (" << c << ", " << r << ") cannot be reached";
            }
            if (v == lc::PRISONER_A || v == lc::PRISONER_B) {
                ++prisoners;
                EXPECT_TRUE(touches_jail) << lv.name() << "prisoner at cell (" << c << ", " << r << ") is not behind a jail door";
            }
        }
    EXPECT_GT(doors, 0) << lv.name() << "no jail door";
    EXPECT_GT(prisoners, 0) << lv.name() << "no prisoner in the jail";
}

TEST_P(LevelCheck, BossArenaIsReachedThroughTheEncounterZoneOnly) {
    const CheckedLevel& lv = l();
    ASSERT_TRUE(lv.error.empty());
    const lc::Spot boss = lv.facts.boss;
    const lc::Spot key = {boss.x + 32, boss.y + 32};
    EXPECT_TRUE(lc::reaches_box(lv.reach_closed, lc::TILE, boss.x, boss.y, 2 * lc::TILE))
        << lv.name() << "the boss cannot be reached without passing a jail door";
    EXPECT_TRUE(lc::reaches_box(lv.reach_closed, lc::TILE, key.x, key.y, lc::TILE)) << lv.name() << "the key's drop point cannot be reached";

    const StoryZone& zone = boss_zone(lv.facts.number);
    auto in_zone = [&](int x, int y) { return zone.contains(x, y); };
    int hx = static_cast<int>(lv.facts.hero.x), hy = static_cast<int>(lv.facts.hero.y);
    std::vector<uint8_t> around = lv.open->walk(hx, hy, in_zone);
    EXPECT_FALSE(lc::reaches_box(around, lc::TILE, boss.x, boss.y, 2 * lc::TILE))
        << lv.name() << "the boss can be reached without crossing the encounter zone";

    // From the boss's side of the zone, the arena is a closed place near the boss.
    auto [bx, by] = inside_boss(lv);
    std::vector<uint8_t> arena = lv.open->walk(bx, by, in_zone);
    const int radius = 24 * lc::TILE;
    for (int j = 0; j < lc::Walker::SPAN; ++j)
        for (int i = 0; i < lc::Walker::SPAN; ++i) {
            if (!arena[j * lc::Walker::SPAN + i]) continue;
            int x = i * lc::STEP, y = j * lc::STEP;
            ASSERT_TRUE(std::abs(x - boss.x) < radius && std::abs(y - boss.y) < radius)
                << lv.name() << "the boss arena is open: from the boss one walks to (" << x << ", " << y << ") without the encounter zone";
        }
}

TEST_P(LevelCheck, WayThroughIsTwoTilesWide) {
    const CheckedLevel& lv = l();
    ASSERT_TRUE(lv.error.empty());
    const int wide = 2 * lc::TILE;
    EXPECT_TRUE(lv.wide->fits(static_cast<int>(lv.facts.hero.x), static_cast<int>(lv.facts.hero.y)))
        << lv.name() << "the start is narrower than two tiles";
    EXPECT_TRUE(reaches_zone(lv.reach_wide, completion_zone(lv.facts.number))) << lv.name() << "the way to the jail is narrower than two tiles somewhere";
    EXPECT_TRUE(lc::reaches_box(lv.reach_wide, wide, lv.facts.boss.x, lv.facts.boss.y, wide))
        << lv.name() << "the way to the boss is narrower than two tiles somewhere";
}

// Once the key is won the way to the freed townsfolk is short: no level ends with a long
// walk back over ground already cleared.
TEST_P(LevelCheck, WayBackFromTheKeyIsShort) {
    const CheckedLevel& lv = l();
    ASSERT_TRUE(lv.error.empty());
    const int most_steps = 26 * 1000 / 30;  // 26 seconds of walking at 4 pixels a 30 ms frame
    auto [kx, ky] = inside_boss(lv);
    int steps = lv.open->steps_to(kx, ky, [&](int x, int y) { return completion_zone(lv.facts.number).contains(x, y); });
    ASSERT_GE(steps, 0) << lv.name() << "the completion zone cannot be reached from the key";
    EXPECT_LE(steps, most_steps) << lv.name() << "the walk from the key to the completion zone takes " << steps << " steps";
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelCheck, ::testing::Values(1, 2, 3), [](const auto& info) {
    return "Level" + std::to_string(info.param);
});

}  // namespace
