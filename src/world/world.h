// The single global game world: tile map, hero, enemy pools, bosses, pick-ups and speech box.
#pragma once
#include <cstdint>

#include "actors/mole.h"
#include "actors/mole_boss.h"
#include "actors/pig.h"
#include "actors/swine_boss.h"
#include "actors/wasp.h"
#include "actors/wasp_boss.h"
#include "graphics/bitmap_file.h"
#include "graphics/sprite.h"
#include "actors/player.h"
#include "world/dialog_box.h"

constexpr int MAP_COLUMNS = 200;
constexpr int MAP_ROWS = 200;
constexpr int POOL_SIZE = 100;
// Tile numbers: 0..30 floor, above 30 solid; 53 a jail door that opens into 10.
constexpr int32_t TILE_LAST_FLOOR = 30;
constexpr int32_t TILE_JAIL_DOOR = 53;
constexpr int32_t TILE_OPENED_DOOR = 10;
constexpr int TILE_SET_FRAMES = 70;

// Size modes of tile_blocked: 32 x 32 bodies, 64 x 64 bosses and the spear, small projectiles.
enum TileTestMode : int {
    TILE_TEST_BODY = 0,
    TILE_TEST_BOSS = 1,
    TILE_TEST_PROJECTILE = 2,
};
// Enhanced play: how far past a tile's corner the hero may stand and still slide round it, pixels.
constexpr int CORNER_SLIDE_REACH = 8;
// Enhanced play: the most the view moves in one frame on each axis, pixels.
constexpr int VIEW_MAX_STEP = 8;
// knock_back direction that pushes against the sprite's own facing.
constexpr int KNOCK_BACK_AGAINST_FACING = 10;
// Enemy list kinds.
enum EnemyKind : int {
    ENEMY_KIND_MOLE = 1,
    ENEMY_KIND_PIG = 2,
    ENEMY_KIND_WASP = 3,
};

struct EnemyPools {
    Mole moles[POOL_SIZE];
    int32_t mole_count = 0;
    Pig pigs[POOL_SIZE];
    int32_t pig_count = 0;
    Wasp wasps[POOL_SIZE];
    int32_t wasp_count = 0;
    MoleBoss mole_boss;
    SwineBoss swine_boss;
    WaspBoss wasp_boss;
};

struct World {
    int32_t scroll_x = 0;  // world x of the view's left edge, pixels
    int32_t scroll_y = 0;  // world y of the view's top edge, pixels
    int32_t max_scroll_x = 0;
    int32_t max_scroll_y = 0;
    // Enhanced play: how far the view looks ahead of the hero, pixels (+ right / down).
    int32_t lead_x = 0;
    int32_t lead_y = 0;
    int32_t tile_width = 0;
    int32_t tile_height = 0;
    int32_t view_cols = 0;
    int32_t view_rows = 0;
    uint8_t boss_taunt_shown = 0;
    int32_t loaded_level = 0;
    Player player;
    EnemyPools pools;
    Sprite life_sprite;
    Sprite lifebar_sprite;
    Sprite tile_sprite;
    Sprite uisword_sprite;
    Sprite uikey_sprite;
    Sprite uibow_sprite;
    Sprite key_sprite;
    Sprite deathcloud_sprite;
    Sprite cheese_sprite;
    DialogBox dialog_box;
    // The playing frame's first map draw, put off until something is drawn over it: a walking
    // frame draws the map again after the hero moves, and that draw hides it entirely.
    bool tile_map_owed = false;

    World(int tile_w, int tile_h);
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Start-up: every world bitmap into its sprites; 1 on success, 0 at the first failure.
    int load_assets();

    // Level files (level_files.cpp). A new game: items cleared, then level 1.
    void start_new_game();
    // A game continued from saved progress: items cleared, then `level` with what was held.
    void continue_game(int level, int lives, bool has_bow);
    // No boss of an earlier game stays alive, hidden, into a new one, and no projectile flies on.
    void stand_down_bosses();
    // Puts the world into the starting state of level 1..3.
    int load_level(int level);
    bool load_tile_map(const char* filename);
    void load_enemy_list(const char* filename, int kind);
    void reset_enemies();

    // Tile map services (tile_map.cpp); positions are screen pixels under the current scroll.
    bool tile_blocked(const Sprite* sprite, int mode) const;
    void knock_back(Sprite* sprite, int mode, int direction);
    void shift_world_objects(int dx, int dy);
    bool draw_tile_map(Sprite* tiles);
    // The playing frame's map: owe_tile_map keeps the scroll in bounds as a draw would and
    // owes the draw; pay_tile_map makes it, if still owed, before anything is drawn over it.
    // The frame's clear is part of the debt: a map that paints every pixel with opaque tiles
    // needs none.
    void owe_tile_map();
    void pay_tile_map();
    // Whether a map draw under the current scroll (kept in bounds first) paints every screen
    // pixel with an opaque tile.
    bool tile_map_covers_screen();
    void draw_hud();
    // The "Lives: " counter under the LIFE label.
    void draw_lives();
    // Enhanced play, while a line is shown: the world as it stood, with the HUD (frozen_world.cpp);
    // the hero too unless the death beat draws him itself.
    void draw_frozen_world(bool with_hero = true);

    // The hero's walk and the camera (move_player.cpp); direction 0..3 or MOVE_NONE. Returns
    // the level whose completion zone the walk reached (0 for none), for the game to move on.
    int move_player(int direction, int32_t current_level);
    enum class HeroStep { Moved, Blocked, AtDoor };
    HeroStep step_player(int direction);
    void slide_round_corner(int direction);
    // Enhanced play's view (view_lead.cpp): one frame of following the hero, who walked in
    // `direction` (0..3) or stood (MOVE_NONE). The view leads him the way he walks, moves at most
    // VIEW_MAX_STEP pixels a frame on each axis and keeps him on the screen.
    void follow_hero(int direction);

    // Combat and pick-ups (combat.cpp): one frame of everything after the hero's input.
    void update_world();

    // Story (story.cpp): the boss taunts and completion lines of the story at `current_level`.
    // Returns the level completed (0 for none); the game moves the story on to the next.
    int check_story_triggers(int32_t current_level);
    bool open_jail_door(const Sprite* sprite);
    // Handles boss defeats; true when the hero has died this frame.
    bool check_deaths();
};

// The cells one map draw shows and where the first lands on the screen (pixels, 0 or less).
struct TileView {
    static constexpr int MAX_ROWS = 32, MAX_COLS = 48;
    int screen_x = 0, screen_y = 0;
    int rows = 0, cols = 0;
    int first_row = 0, first_col = 0;  // the map cell of tiles[0][0]
    int32_t tiles[MAX_ROWS][MAX_COLS];
};
// The view under the current scroll (kept in bounds first); false when it has more cells
// than a TileView holds.
bool capture_tile_view(World& w, TileView* view);
// Draws the cells as draw_tile_map would have drawn them when the view was captured.
void draw_tile_view(const TileView& view, Sprite* tiles);
// Whether drawing the view paints every screen pixel with an opaque tile.
bool tile_view_covers_screen(const World& w, const TileView& view);

// The tile number of every cell, row by row (row = y). Read through tile_at outside this file.
extern int32_t tile_map[MAP_ROWS][MAP_COLUMNS];
extern World world;

// The tile at (row, col); cells outside the map read as solid wall.
int32_t tile_at(int row, int col);
// True for tile numbers a body cannot enter.
inline bool tile_is_solid(int32_t tile) { return tile > TILE_LAST_FLOOR; }

// True with probability 1 in n, from the game's random sequence.
bool one_in(int n);
// Chooses the walking animation from the velocity; true when it changed.
bool face_by_velocity(Sprite* sprite);
// Animates, turns, moves and draws an enemy's body.
void update_enemy_sprite(EnemyBase* enemy);

// Puts the world back to its start-up state (tests run many games in one process).
void reset_world();
