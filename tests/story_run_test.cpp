// The whole story on the real level files, played frame by frame through the game's own loop
// from the title to the last line: every trigger fires, in order, under every rule of play.
//
// Where walking there would take a path finder and minutes of frames, the hero is placed the way
// a level start places him (camera and body set, every world object kept where it is in the
// world), always on floor that the level start can reach; the last steps into a zone, a door or
// the key are walked, and every fight is fought with the sword.
#include <cstdlib>
#include <string>
#include <vector>

#include "headless_game.h"
#include "platform/headless.h"
#include "story_order.h"
#include "world/level_places.h"

namespace {

constexpr int TILE = 32;
constexpr int STEP = 4;  // the hero's walking step, pixels

// Tile steps and the key that walks them, by facing code (up, down, left, right).
constexpr int STEP_COL[4] = {0, 0, -1, 1};
constexpr int STEP_ROW[4] = {-1, 1, 0, 0};
constexpr unsigned WALK[4] = {SCRIPT_KEY_UP, SCRIPT_KEY_DOWN, SCRIPT_KEY_LEFT, SCRIPT_KEY_RIGHT};

// Where the level being played starts the hero, world pixels.
int start_x() { return static_cast<int>(LEVEL_PLACES[world.loaded_level - 1].hero_start.x); }
int start_y() { return static_cast<int>(LEVEL_PLACES[world.loaded_level - 1].hero_start.y); }

bool floor_tile(int col, int row) { return !tile_is_solid(tile_at(row, col)); }

// The game driven one frame at a time; the hero must never run out of lives.
class StoryRun : public HeadlessGame {
public:
    std::vector<uint8_t> reach;  // tiles a hero on whole tiles reaches from the level start
    const char* shots = std::getenv("QUILLMOOR_STORY_SHOTS");  // where to write frame pictures, if asked for

    void step(unsigned keys = 0) {
        frame(keys);
        ASSERT_NE(game.game_state, GAME_STATE_GAME_OVER) << "the hero ran out of lives after " << frames_run << " frames";
    }
    void shot(const std::string& name) {
        if (shots && *shots) platform::write_presented_frame_bmp((shots + ("/" + name) + ".bmp").c_str());
    }
    // Space until every waiting line has been read.
    void read_lines() {
        for (int i = 0; i < 400 && !world.dialog_box.speech_is_idle(); ++i) step(SCRIPT_KEY_SPACE);
        ASSERT_TRUE(world.dialog_box.speech_is_idle());
        step();
    }

    static int hero_x() { return world.scroll_x + static_cast<int>(world.player.body.x); }
    static int hero_y() { return world.scroll_y + static_cast<int>(world.player.body.y); }

    // Puts the hero at world (x, y), whole steps, facing `facing`, as a level start would: the
    // camera keeps him inside the free band, and every world object stays where it is.
    static void place_hero(int x, int y, int facing) {
        World& w = world;
        auto clamp = [](int v, int hi) { return v < 0 ? 0 : (v > hi ? hi : v); };
        const int sx = clamp((x - 300) / STEP * STEP, w.max_scroll_x);
        const int sy = clamp((y - 220) / STEP * STEP, w.max_scroll_y);
        w.shift_world_objects(w.scroll_x - sx, w.scroll_y - sy);
        w.scroll_x = sx;
        w.scroll_y = sy;
        w.player.body.x = static_cast<float>(x - sx);
        w.player.body.y = static_cast<float>(y - sy);
        w.player.body.aux_3 = facing;
        set_sprite_animation(&w.player.body, facing);
    }

    // Tiles reachable from the level start, walking whole tiles over floor (doors as they are).
    void find_reach() {
        reach.assign(MAP_ROWS * MAP_COLUMNS, 0);
        const int start_col = start_x() / TILE;
        const int start_row = start_y() / TILE;
        std::vector<int> queue{start_row * MAP_COLUMNS + start_col};
        reach[queue[0]] = 1;
        for (size_t head = 0; head < queue.size(); ++head) {
            const int col = queue[head] % MAP_COLUMNS, row = queue[head] / MAP_COLUMNS;
            for (int f = 0; f < 4; ++f) {
                const int c = col + STEP_COL[f], r = row + STEP_ROW[f];
                if (c < 0 || r < 0 || c >= MAP_COLUMNS || r >= MAP_ROWS) continue;
                if (reach[r * MAP_COLUMNS + c] || !floor_tile(c, r)) continue;
                reach[r * MAP_COLUMNS + c] = 1;
                queue.push_back(r * MAP_COLUMNS + c);
            }
        }
    }
    bool reached(int col, int row) const {
        return col >= 0 && row >= 0 && col < MAP_COLUMNS && row < MAP_ROWS && reach[row * MAP_COLUMNS + col];
    }
    // Whether a 32 x 32 hero at world (x, y) stands on reachable floor only.
    bool stands(int x, int y) const {
        if (x < 0 || y < 0) return false;
        for (int r = y / TILE; r <= (y + TILE - 1) / TILE; ++r)
            for (int c = x / TILE; c <= (x + TILE - 1) / TILE; ++c)
                if (!reached(c, r)) return false;
        return true;
    }

    // Walks from a reachable tile just outside `zone` into it; true once `done` holds.
    template <class Done>
    bool walk_into(const StoryZone& zone, Done done) {
        for (int row = 0; row < MAP_ROWS; ++row)
            for (int col = 0; col < MAP_COLUMNS; ++col) {
                if (!reached(col, row) || !zone.contains(col * TILE, row * TILE)) continue;
                for (int f = 0; f < 4; ++f) {
                    const int c = col - STEP_COL[f], r = row - STEP_ROW[f];
                    if (!reached(c, r) || zone.contains(c * TILE, r * TILE)) continue;
                    place_hero(c * TILE, r * TILE, f);
                    for (int i = 0; i < 3 * TILE / STEP && !done(); ++i) step(WALK[f]);
                    if (done()) return true;
                }
            }
        return false;
    }

    // Bumps into every jail door cell from reachable floor beside it; true if each one opened.
    bool open_every_door() {
        for (int round = 0; round < 4; ++round) {
            find_reach();
            bool closed_left = false;
            for (int row = 0; row < MAP_ROWS; ++row)
                for (int col = 0; col < MAP_COLUMNS; ++col) {
                    if (tile_at(row, col) != TILE_JAIL_DOOR) continue;
                    bool opened = false;
                    for (int f = 0; f < 4 && !opened; ++f) {
                        const int c = col - STEP_COL[f], r = row - STEP_ROW[f];
                        if (!reached(c, r)) continue;
                        place_hero(c * TILE, r * TILE, f);
                        for (int i = 0; i < 16 && tile_at(row, col) == TILE_JAIL_DOOR; ++i) step(WALK[f]);
                        opened = tile_at(row, col) == TILE_OPENED_DOOR;
                        if (opened && !opened_door_shot_) {
                            step();
                            shot("jail_opened");
                            opened_door_shot_ = true;
                        }
                    }
                    closed_left = closed_left || !opened;
                }
            if (!closed_left) return true;
        }
        return false;
    }

    // Bumps into the first jail door found without the key; true when the prisoner answers.
    bool bump_locked_door() {
        find_reach();
        for (int row = 0; row < MAP_ROWS; ++row)
            for (int col = 0; col < MAP_COLUMNS; ++col) {
                if (tile_at(row, col) != TILE_JAIL_DOOR) continue;
                for (int f = 0; f < 4; ++f) {
                    const int c = col - STEP_COL[f], r = row - STEP_ROW[f];
                    if (!reached(c, r)) continue;
                    place_hero(c * TILE, r * TILE, f);
                    for (int i = 0; i < 16 && world.dialog_box.speech_is_idle(); ++i) step(WALK[f]);
                    return !world.dialog_box.speech_is_idle() && tile_at(row, col) == TILE_JAIL_DOOR;
                }
            }
        return false;
    }

    // One frame of the fight: the hero is put beside `boss` with his sword towards him and
    // swings; false when there is no floor for him on any side this frame.
    bool strike(const EnemyBase& boss) {
        const int bx = world.scroll_x + static_cast<int>(boss.body.x);
        const int by = world.scroll_y + static_cast<int>(boss.body.y);
        // Hero corners from which the sword reaches the 64 x 64 body but the hero does not touch
        // it, by the facing he strikes in.
        const int spots[4][3] = {
            {bx + 16, by + 61, FACING_UP}, {bx + 16, by - 29, FACING_DOWN},
            {bx + 61, by + 8, FACING_LEFT}, {bx - 29, by + 8, FACING_RIGHT},
        };
        for (const auto& spot : spots) {
            const int x = spot[0] / STEP * STEP, y = spot[1] / STEP * STEP;
            if (!stands(x, y)) continue;
            place_hero(x, y, spot[2]);
            step(SCRIPT_KEY_A);
            return true;
        }
        return false;
    }

    // Steps onto the key where it lies; true once the hero holds it.
    bool pick_up_key() {
        // The key's world corner on the hero's 4-pixel steps (the camera is on them too).
        const int kx = world.scroll_x + (static_cast<int>(world.key_sprite.x) / STEP) * STEP;
        const int ky = world.scroll_y + (static_cast<int>(world.key_sprite.y) / STEP) * STEP;
        for (int f = 0; f < 4; ++f) {
            // Start one tile away and walk onto it.
            const int x = kx - STEP_COL[f] * TILE, y = ky - STEP_ROW[f] * TILE;
            if (!stands(x, y) || !stands(kx, ky)) continue;
            place_hero(x, y, f);
            for (int i = 0; i < 2 * TILE / STEP && !world.player.has_key; ++i) step(WALK[f]);
            if (world.player.has_key) return true;
        }
        for (int dy = -24; dy <= 24 && !world.player.has_key; dy += STEP)
            for (int dx = -24; dx <= 24 && !world.player.has_key; dx += STEP)
                if (stands(kx + dx, ky + dy)) {
                    place_hero(kx + dx, ky + dy, FACING_DOWN);
                    step();
                }
        return world.player.has_key;
    }

    // Plays one level from its start to the completion lines.
    void play_level(int level) {
        SCOPED_TRACE("level " + std::to_string(level));
        find_reach();
        if (level == 1) {
            ASSERT_TRUE(bump_locked_door()) << "a locked jail door calls for the key";
            read_lines();
        }
        ASSERT_TRUE(walk_into(boss_zone(level), [] { return world.boss_taunt_shown != 0; }));
        shot("level" + std::to_string(level) + "_taunt");
        read_lines();

        const EnemyBase* boss = &level_boss(level);
        MoleBoss& mole = world.pools.mole_boss;
        bool at_refuge = false;
        int strikes = 0;
        const Sprite* missile = level == 2   ? &world.pools.swine_boss.spear
                                : level == 3 ? &world.pools.wasp_boss.stinger
                                             : nullptr;
        bool missile_seen = false;
        for (int i = 0; i < 4000 && boss->alive; ++i) {
            if (missile && !missile_seen && (missile->attr & SPRITE_ATTR_VISIBLE)) {
                shot("level" + std::to_string(level) + "_missile");
                missile_seen = true;
            }
            // Lord Hogrand and King Vespro are given time for a first throw before the blows.
            const bool waited = !missile || missile_seen || i > 100;
            const bool open_to_a_blow = waited && (level != 1 || (!mole.hurt && !mole.underground));
            if (open_to_a_blow && strike(*boss)) {
                at_refuge = false;
                if (++strikes == 3) shot("level" + std::to_string(level) + "_fight");
                continue;
            }
            if (level == 1 && mole.underground && !at_refuge) {
                // While he roams underground the hero waits where the level started him.
                if (!shown_mound_) {
                    shot("level1_mound");
                    shown_mound_ = true;
                }
                place_hero(start_x(), start_y(), FACING_DOWN);
                at_refuge = true;
            }
            step();
        }
        ASSERT_FALSE(boss->alive) << "the boss still stands after " << strikes << " blows";
        read_lines();
        ASSERT_TRUE(pick_up_key());
        read_lines();
        ASSERT_TRUE(open_every_door()) << "every jail door opens with the key";
        find_reach();
        ASSERT_TRUE(walk_into(completion_zone(level), [&] { return game.current_level == level + 1; }));
        read_lines();
    }

private:
    bool opened_door_shot_ = false;
    bool shown_mound_ = false;
};

const std::vector<std::string>& STORY = story_in_order();

// From the title through every level to the last line, and one frame more.
void play_story(StoryRun& run) {
    // Title: Enter starts a new game on the progress map; Space there starts play.
    run.frames(20);
    run.step(SCRIPT_KEY_ENTER);
    run.frames(5);
    ASSERT_EQ(game.game_state, GAME_STATE_LEVEL_MAP);
    run.step(SCRIPT_KEY_SPACE);
    ASSERT_EQ(game.game_state, GAME_STATE_PLAYING);
    run.read_lines();

    for (int level = 1; level <= 3; ++level) {
        run.play_level(level);
        if (::testing::Test::HasFatalFailure()) return;
        EXPECT_EQ(game.current_level, level + 1);
        // Enhanced play leaves the last line for the end scene within one frame, never showing
        // the bare level between them.
        if (game.game_state == GAME_STATE_ENDING) {
            EXPECT_EQ(game.ending_frame, 1) << "the frame that leaves play already shows the end scene";
        }
        run.step();
        if (level < 3) {
            // The next level is loaded once the lines are read, behind the progress map.
            EXPECT_EQ(world.loaded_level, level + 1);
            EXPECT_EQ(game.game_state, GAME_STATE_LEVEL_MAP);
            EXPECT_FALSE(world.player.has_key);
            EXPECT_TRUE(world.player.has_bow);
            run.step(SCRIPT_KEY_SPACE);
            ASSERT_EQ(game.game_state, GAME_STATE_PLAYING);
            run.step();
        }
    }
}

}  // namespace

TEST_F(StoryRun, TheWholeStoryFromTheTitleToTheLastLine) {
    play_story(*this);
    if (HasFatalFailure()) return;
    // The story is finished: nothing more loads, no map, play goes on in level 3.
    frames(20);
    EXPECT_EQ(game.current_level, 4);
    EXPECT_EQ(world.loaded_level, 3);
    EXPECT_EQ(game.game_state, GAME_STATE_PLAYING);

    EXPECT_EQ(shown, STORY);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), "Nibbs Begins his Journey home.  Envinsioning an even better Curdwick.");

    const std::string report = audio_state_json();
    EXPECT_EQ(plays_in(report, "levelComplete.MID"), 3);
    EXPECT_EQ(plays_in(report, "bossDie.WAV"), 3);
    EXPECT_EQ(plays_in(report, "celebrate.WAV"), 3);
    EXPECT_GE(plays_in(report, "bossHit.WAV"), 5 + 10 + 15);
    EXPECT_GE(plays_in(report, "death.WAV"), 3);
    EXPECT_GE(plays_in(report, "item.WAV"), 3);
    EXPECT_GE(plays_in(report, "openJail.WAV"), 3);
    EXPECT_GE(plays_in(report, "arrow.WAV"), 1) << "spears and stingers are launched with the arrow's sound";
}

namespace {
class EnhancedStoryRun : public StoryRun {
protected:
    EnhancedStoryRun() { mode = PlayMode::Enhanced; }
};
}  // namespace

TEST_F(EnhancedStoryRun, TheLastLineLeadsToTheEndSceneThenTheTitleStartsANewGame) {
    play_story(*this);
    if (HasFatalFailure()) return;
    EXPECT_EQ(shown, STORY) << "the same lines, every one";
    ASSERT_EQ(game.game_state, GAME_STATE_ENDING) << "the end scene follows the last line";
    shot("ending_journey");
    // The walk home and the credits run on their own; Space is ignored until the credits have
    // been up a moment, then ends them.
    frames(220, SCRIPT_KEY_SPACE);
    shot("ending_credits");
    EXPECT_EQ(game.game_state, GAME_STATE_ENDING);
    for (int i = 0; i < 100 && game.game_state == GAME_STATE_ENDING; ++i) frame(SCRIPT_KEY_SPACE);
    ASSERT_EQ(game.game_state, GAME_STATE_TITLE);
    EXPECT_EQ(game.current_level, 0) << "the finished game is not resumed";
    const std::string report = audio_state_json();
    EXPECT_EQ(plays_in(report, "levelComplete.MID"), 4) << "the end scene opens with the fanfare";
    EXPECT_EQ(plays_in(report, "intro.MID"), 2) << "and the credits have the game's theme";

    // START begins a new game: level 1 from its start, with its opening lines.
    frames(20);
    frame(SCRIPT_KEY_ENTER);
    EXPECT_EQ(game.game_state, GAME_STATE_LEVEL_MAP);
    EXPECT_EQ(game.current_level, 1);
    EXPECT_EQ(world.loaded_level, 1);
    EXPECT_EQ(world.player.lives, HERO_START_LIVES);
    EXPECT_FALSE(world.player.has_bow);
    ASSERT_NE(world.dialog_box.top, nullptr);
    EXPECT_STREQ(world.dialog_box.top->text, "Grandfather, what happened?!?");
}
