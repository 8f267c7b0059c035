// Level files: the tile map and enemy lists of each level, and the level start.
#include <cmath>
#include <cstdio>

#include "world/level_reader.h"
#include "world/story.h"
#include "world/world.h"

namespace {

struct LevelStart {
    const char* tile_file;
    const char* enemy_files[3];
    int enemy_kinds[3];
};

constexpr LevelStart LEVEL_STARTS[3] = {
    {"Level1.txt", {"level1Moles.txt", nullptr, nullptr}, {ENEMY_KIND_MOLE, 0, 0}},
    {"Level2.txt", {"level2Moles.txt", "level2Pigs.txt", nullptr}, {ENEMY_KIND_MOLE, ENEMY_KIND_PIG, 0}},
    {"Level3.txt", {"level3Moles.txt", "level3Pigs.txt", "level3Wasps.txt"}, {ENEMY_KIND_MOLE, ENEMY_KIND_PIG, ENEMY_KIND_WASP}},
};

// Switches on one pool slot at a level start.
void activate(EnemyBase* enemy, float x, float y, int32_t hit_points, bool& horizontal_next) {
    Sprite& b = enemy->body;
    b.x = x;
    b.y = y;
    show_sprite(&b);
    set_facing(b, FACING_DOWN);
    enemy->hit_points = hit_points;
    enemy->alive = 1;
    const float s = static_cast<float>(enemy->speed);
    if (horizontal_next) {
        b.xv = s;
        b.yv = 0;
    } else {
        b.xv = 0;
        b.yv = s;
    }
    horizontal_next = !horizontal_next;
}

}  // namespace

void World::start_new_game() {
    // Nothing is carried over from an earlier game: not its key or bow, nor a line still waiting.
    player.has_key = 0;
    player.has_bow = 0;
    dialog_box.speech_clear();
    stand_down_bosses();
    load_level(1);
}

void World::continue_game(int level, int lives, bool has_bow) {
    player.has_key = 0;
    player.has_bow = has_bow ? 1 : 0;
    dialog_box.speech_clear();
    stand_down_bosses();
    load_level(level);
    player.lives = lives;
}

void World::stand_down_bosses() {
    EnemyBase* const bosses[] = {&pools.mole_boss, &pools.swine_boss, &pools.wasp_boss};
    for (EnemyBase* boss : bosses) {
        boss->alive = 0;
        hide_sprite(&boss->body);
    }
    // Nor a projectile still in flight: a wasp's stinger outlives the wasp until it lands.
    hide_sprite(&pools.swine_boss.spear);
    hide_sprite(&pools.wasp_boss.stinger);
    for (Wasp& wasp : pools.wasps) hide_sprite(&wasp.stinger);
    hide_sprite(&player.arrow);
}

int World::load_level(int level) {
    scroll_x = 0;
    scroll_y = 0;
    lead_x = 0;
    lead_y = 0;
    boss_taunt_shown = 0;
    player.body.xv = static_cast<float>(player.speed);
    player.body.yv = static_cast<float>(player.speed);
    player.hit_points = hero_full_hit_points();
    player.alive = 1;
    set_facing(player.body, FACING_DOWN);
    hide_sprite(&cheese_sprite);
    hide_sprite(&player.arrow);
    hide_sprite(&pools.swine_boss.spear);
    // No death cloud is left playing from before the level started.
    deathcloud_sprite.anim_state = 1;
    reset_enemies();
    if (level < 1 || level > 3) return 1;

    const LevelStart& start = LEVEL_STARTS[level - 1];
    load_tile_map(start.tile_file);
    if (level >= 2) player.has_key = 0;
    if (level == 2) player.has_bow = 1;
    loaded_level = level;
    player.body.x = LEVEL_PLACES[level - 1].hero_start.x;
    player.body.y = LEVEL_PLACES[level - 1].hero_start.y;
    if (level == 1) player.lives = HERO_START_LIVES;
    for (int i = 0; i < 3; ++i)
        if (start.enemy_files[i]) load_enemy_list(start.enemy_files[i], start.enemy_kinds[i]);
    if (level == 1) push_opening_lines(dialog_box);
    place_level_boss(*this, level);
    return 1;
}

void World::reset_enemies() {
    for (int i = 0; i < pools.mole_count && i < POOL_SIZE; ++i) {
        pools.moles[i].alive = 0;
        hide_sprite(&pools.moles[i].body);
    }
    for (int i = 0; i < pools.pig_count && i < POOL_SIZE; ++i) {
        pools.pigs[i].alive = 0;
        hide_sprite(&pools.pigs[i].body);
    }
    for (int i = 0; i < pools.wasp_count && i < POOL_SIZE; ++i) {
        pools.wasps[i].alive = 0;
        hide_sprite(&pools.wasps[i].body);
    }
    hide_sprite(&pools.mole_boss.body);
    hide_sprite(&pools.swine_boss.body);
    hide_sprite(&pools.wasp_boss.body);
}

bool World::load_tile_map(const char* filename) {
    LevelReader in(filename, DataKind::TileMap);
    if (!in.is_open()) {
        std::fprintf(stderr, "quillmoor: %s: %s; the map keeps its old tiles\n", filename, in.fault().c_str());
        return true;
    }
    int cells = 0;
    for (int row = 0; row < MAP_ROWS && in.good(); ++row)
        for (int col = 0; col < MAP_COLUMNS && in.good(); ++col) {
            int32_t value = 0;
            if (!in.read_integer(&value)) break;
            tile_map[row][col] = value;
            ++cells;
        }
    if (cells < MAP_ROWS * MAP_COLUMNS) {
        if (in.at_end())
            std::fprintf(stderr, "quillmoor: %s: only %d of %d tile numbers; the rest keep their old tiles\n", filename, cells,
                         MAP_ROWS * MAP_COLUMNS);
        else
            std::fprintf(stderr, "quillmoor: %s: not a tile number after %d tiles (line %lld); the rest keep their old tiles\n",
                         filename, cells, in.line());
    }
    return true;
}

void World::load_enemy_list(const char* filename, int kind) {
    EnemyBase* slots[POOL_SIZE];
    int count = 0;
    int32_t hit_points = 0;
    switch (kind) {
    case ENEMY_KIND_MOLE:
        count = pools.mole_count;
        for (int i = 0; i < POOL_SIZE; ++i) slots[i] = &pools.moles[i];
        hit_points = 1;
        break;
    case ENEMY_KIND_PIG:
        count = pools.pig_count;
        for (int i = 0; i < POOL_SIZE; ++i) slots[i] = &pools.pigs[i];
        hit_points = 2;
        break;
    case ENEMY_KIND_WASP:
        count = pools.wasp_count;
        for (int i = 0; i < POOL_SIZE; ++i) slots[i] = &pools.wasps[i];
        hit_points = 3;
        break;
    default:
        return;
    }
    if (count > POOL_SIZE) count = POOL_SIZE;
    LevelReader in(filename, DataKind::EnemyList);
    if (!in.is_open()) {
        std::fprintf(stderr, "quillmoor: %s: %s; no enemy of it takes part\n", filename, in.fault().c_str());
        return;
    }
    bool horizontal_next = true;
    for (int slot = 0; slot < count; ++slot) {
        float x = 0, y = 0;
        const bool got_x = in.read_float(&x);
        const bool got_y = got_x && in.read_float(&y);
        if (!got_x || !got_y || !std::isfinite(x) || !std::isfinite(y)) {
            // The end of the numbers ends the list quietly; anything else is a damaged file.
            if (!(got_x == false && in.at_end()))
                std::fprintf(stderr, "quillmoor: %s: %s after %d positions (line %lld); the list ends there\n", filename,
                             got_x && !got_y && in.at_end() ? "a half pair" : "not a position", slot, in.line());
            return;
        }
        activate(slots[slot], x, y, hit_points, horizontal_next);
    }
}
