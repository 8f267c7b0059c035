// The world's state report for the headless runner.
#include "world/world_report.h"

#include "world/world.h"

namespace {

bool visible(const Sprite& s) { return (s.attr & SPRITE_ATTR_VISIBLE) != 0; }

// A world position of something held in screen pixels (world pixels).
void world_position(JsonWriter& w, const World& world_, float x, float y) {
    w.fixed2_member("world_x", world_.scroll_x + static_cast<double>(x));
    w.fixed2_member("world_y", world_.scroll_y + static_cast<double>(y));
}

// A boss's common members, leaving its object open for the members of its kind.
void begin_boss(JsonWriter& w, const char* name, const EnemyBase& b, const World& world_) {
    w.begin_object_member(name);
    w.boolean_member("alive", b.alive);
    w.integer_member("hit_points", b.hit_points);
    world_position(w, world_, b.body.x, b.body.y);
}

void item(JsonWriter& w, const char* name, const Sprite& s, const World& world_) {
    w.begin_object_member(name);
    w.boolean_member("visible", visible(s));
    world_position(w, world_, s.x, s.y);
    w.end_object();
}

}  // namespace

void write_world_state(JsonWriter& w) {
    const World& wd = world;
    const Player& p = wd.player;
    w.integer_member("scroll_x", static_cast<int>(wd.scroll_x));
    w.integer_member("scroll_y", static_cast<int>(wd.scroll_y));

    w.begin_object_member("hero");
    w.fixed2_member("x", p.body.x);
    w.fixed2_member("y", p.body.y);
    world_position(w, wd, p.body.x, p.body.y);
    w.integer_member("hit_points", p.hit_points);
    w.integer_member("lives", p.lives);
    w.boolean_member("has_key", p.has_key);
    w.boolean_member("has_bow", p.has_bow);
    w.integer_member("facing", facing(p.body));
    w.boolean_member("alive", p.alive);
    w.boolean_member("invulnerable", p.invulnerable);
    w.end_object();

    w.key("speech");
    w.begin_array();
    for (const SpeechLine* line = wd.dialog_box.top; line; line = line->next) {
        w.begin_object();
        w.integer_member("speaker", line->speaker);
        w.string_member("text", line->text);
        w.end_object();
    }
    w.end_array();

    int moles = 0, pigs = 0, wasps = 0;
    for (int i = 0; i < POOL_SIZE; ++i) {
        moles += wd.pools.moles[i].alive ? 1 : 0;
        pigs += wd.pools.pigs[i].alive ? 1 : 0;
        wasps += wd.pools.wasps[i].alive ? 1 : 0;
    }
    w.begin_object_member("enemies");
    w.integer_member("moles", moles);
    w.integer_member("pigs", pigs);
    w.integer_member("wasps", wasps);
    w.end_object();

    w.begin_object_member("bosses");
    const MoleBoss& mole = wd.pools.mole_boss;
    begin_boss(w, "mole", mole, wd);
    w.boolean_member("hurt", mole.hurt);
    w.integer_member("hurt_timer", mole.hurt_timer);
    w.boolean_member("underground", mole.underground);
    w.integer_member("underground_timer", mole.underground_timer);
    w.end_object();
    begin_boss(w, "swine", wd.pools.swine_boss, wd);
    w.boolean_member("spear_visible", visible(wd.pools.swine_boss.spear));
    w.end_object();
    begin_boss(w, "wasp", wd.pools.wasp_boss, wd);
    w.boolean_member("stinger_visible", visible(wd.pools.wasp_boss.stinger));
    w.end_object();
    w.end_object();

    item(w, "cheese", wd.cheese_sprite, wd);
    item(w, "key", wd.key_sprite, wd);

    int jail_doors = 0;
    for (int r = 0; r < MAP_ROWS; ++r)
        for (int c = 0; c < MAP_COLUMNS; ++c) jail_doors += tile_map[r][c] == TILE_JAIL_DOOR ? 1 : 0;
    w.integer_member("jail_doors", jail_doors);
    w.begin_object_member("story");
    w.boolean_member("boss_taunt_shown", wd.boss_taunt_shown);
    w.end_object();
}
