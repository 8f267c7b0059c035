// The world's state report for the headless runner.
#include "world/world_report.h"

#include "world/world.h"

namespace {

bool visible(const Sprite& s) { return (s.attr & SPRITE_ATTR_VISIBLE) != 0; }

// A world position of something held in screen pixels (world pixels).
void world_position(JsonWriter& w, const World& world_, float x, float y) {
    w.key("world_x");
    w.fixed2(world_.scroll_x + static_cast<double>(x));
    w.key("world_y");
    w.fixed2(world_.scroll_y + static_cast<double>(y));
}

// A boss's common members, leaving its object open for the members of its kind.
void begin_boss(JsonWriter& w, const char* name, const EnemyBase& b, const World& world_) {
    w.key(name);
    w.begin_object();
    w.key("alive");
    w.boolean(b.alive);
    w.key("hit_points");
    w.integer(b.hit_points);
    world_position(w, world_, b.body.x, b.body.y);
}

void item(JsonWriter& w, const char* name, const Sprite& s, const World& world_) {
    w.key(name);
    w.begin_object();
    w.key("visible");
    w.boolean(visible(s));
    world_position(w, world_, s.x, s.y);
    w.end_object();
}

}  // namespace

void write_world_state(JsonWriter& w) {
    const World& wd = world;
    const Player& p = wd.player;
    w.key("scroll_x");
    w.integer(static_cast<int>(wd.scroll_x));
    w.key("scroll_y");
    w.integer(static_cast<int>(wd.scroll_y));

    w.key("hero");
    w.begin_object();
    w.key("x");
    w.fixed2(p.body.x);
    w.key("y");
    w.fixed2(p.body.y);
    world_position(w, wd, p.body.x, p.body.y);
    w.key("hit_points");
    w.integer(p.hit_points);
    w.key("lives");
    w.integer(p.lives);
    w.key("has_key");
    w.boolean(p.has_key);
    w.key("has_bow");
    w.boolean(p.has_bow);
    w.key("facing");
    w.integer(p.body.aux_3);
    w.key("alive");
    w.boolean(p.alive);
    w.key("invulnerable");
    w.boolean(p.invulnerable);
    w.end_object();

    w.key("speech");
    w.begin_array();
    for (const SpeechLine* line = wd.dialog_box.top; line; line = line->next) {
        w.begin_object();
        w.key("speaker");
        w.integer(line->speaker);
        w.key("text");
        w.string(line->text);
        w.end_object();
    }
    w.end_array();

    int moles = 0, pigs = 0, wasps = 0;
    for (int i = 0; i < POOL_SIZE; ++i) {
        moles += wd.pools.moles[i].alive ? 1 : 0;
        pigs += wd.pools.pigs[i].alive ? 1 : 0;
        wasps += wd.pools.wasps[i].alive ? 1 : 0;
    }
    w.key("enemies");
    w.begin_object();
    w.key("moles");
    w.integer(moles);
    w.key("pigs");
    w.integer(pigs);
    w.key("wasps");
    w.integer(wasps);
    w.end_object();

    w.key("bosses");
    w.begin_object();
    const MoleBoss& mole = wd.pools.mole_boss;
    begin_boss(w, "mole", mole, wd);
    w.key("hurt");
    w.boolean(mole.hurt);
    w.key("hurt_timer");
    w.integer(mole.hurt_timer);
    w.key("underground");
    w.boolean(mole.underground);
    w.key("underground_timer");
    w.integer(mole.underground_timer);
    w.end_object();
    begin_boss(w, "swine", wd.pools.swine_boss, wd);
    w.key("spear_visible");
    w.boolean(visible(wd.pools.swine_boss.spear));
    w.end_object();
    begin_boss(w, "wasp", wd.pools.wasp_boss, wd);
    w.key("stinger_visible");
    w.boolean(visible(wd.pools.wasp_boss.stinger));
    w.end_object();
    w.end_object();

    item(w, "cheese", wd.cheese_sprite, wd);
    item(w, "key", wd.key_sprite, wd);

    int jail_doors = 0;
    for (int r = 0; r < MAP_ROWS; ++r)
        for (int c = 0; c < MAP_COLUMNS; ++c) jail_doors += tile_map[r][c] == TILE_JAIL_DOOR ? 1 : 0;
    w.key("jail_doors");
    w.integer(jail_doors);
    w.key("story");
    w.begin_object();
    w.key("boss_taunt_shown");
    w.boolean(wd.boss_taunt_shown);
    w.end_object();
}
