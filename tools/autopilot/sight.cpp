// The autopilot's eyes: positions of everything drawn, turned into world-pixel boxes.
#include "sight.h"

#include <cstdlib>

#include "game/game.h"
#include "world/world.h"

int reduced_half(int size) { return (size >> 1) - (size >> 3); }

bool boxes_overlap(const Box& a, const Box& b) {
    const int ha = reduced_half(a.w), va = reduced_half(a.h), hb = reduced_half(b.w), vb = reduced_half(b.h);
    return std::abs((b.x + hb) - (a.x + ha)) < ha + hb && std::abs((b.y + vb) - (a.y + va)) < va + vb;
}

Box hero_box(int x, int y) { return Box{x, y, 32, 32}; }

Box sword_box(int x, int y, Direction facing) {
    switch (facing) {
    case FACING_UP:
        return Box{x + 8, y - 18, 16, 16};
    case FACING_DOWN:
        return Box{x + 10, y + 32, 16, 16};
    case FACING_LEFT:
        return Box{x - 16, y + 16, 16, 16};
    default:
        return Box{x + 32, y + 16, 16, 16};
    }
}

namespace {

bool shown(const Sprite& s) { return (s.attr & SPRITE_ATTR_VISIBLE) != 0; }

Box box_of(const World& w, const Sprite& s) {
    return Box{w.scroll_x + static_cast<int>(s.x), w.scroll_y + static_cast<int>(s.y), s.width, s.height, s.xv, s.yv, s.curr_frame};
}

}  // namespace

void look(Sight& s) {
    const World& w = world;
    const Player& p = w.player;
    s.level = game.current_level;
    s.hero_x = w.scroll_x + static_cast<int>(p.body.x);
    s.hero_y = w.scroll_y + static_cast<int>(p.body.y);
    s.facing = facing(p.body);
    s.hit_points = p.hit_points;
    s.lives = p.lives;
    s.has_key = p.has_key;
    s.has_bow = p.has_bow;
    s.sword_busy = p.sword.anim_state != 1;
    s.arrow_flying = shown(p.arrow);
    s.targets.clear();
    s.missiles.clear();
    const EnemyPools& pools = w.pools;
    for (int i = 0; i < pools.mole_count; ++i)
        if (pools.moles[i].alive) s.targets.push_back({box_of(w, pools.moles[i].body), TARGET_MOLE});
    for (int i = 0; i < pools.pig_count; ++i)
        if (pools.pigs[i].alive) s.targets.push_back({box_of(w, pools.pigs[i].body), TARGET_PIG});
    for (int i = 0; i < pools.wasp_count; ++i) {
        if (!pools.wasps[i].alive) continue;
        s.targets.push_back({box_of(w, pools.wasps[i].body), TARGET_WASP});
        if (shown(pools.wasps[i].stinger)) s.missiles.push_back(box_of(w, pools.wasps[i].stinger));
    }
    const EnemyBase* bosses[3] = {&pools.mole_boss, &pools.swine_boss, &pools.wasp_boss};
    s.boss_alive = false;
    if (s.level >= 1 && s.level <= 3 && bosses[s.level - 1]->alive) {
        s.boss_alive = true;
        s.boss = box_of(w, bosses[s.level - 1]->body);
    }
    const EnemyBase* boss = s.boss_alive ? bosses[s.level - 1] : nullptr;
    s.boss_guarded = boss && (boss->guard_frames > 0 || boss->swing_spent);
    s.boss_hit_points = boss ? boss->hit_points : 0;
    if (pools.swine_boss.alive && shown(pools.swine_boss.spear)) s.missiles.push_back(box_of(w, pools.swine_boss.spear));
    if (pools.wasp_boss.alive && shown(pools.wasp_boss.stinger)) s.missiles.push_back(box_of(w, pools.wasp_boss.stinger));
    s.key_shown = shown(w.key_sprite);
    s.key = box_of(w, w.key_sprite);
    s.cheese_shown = shown(w.cheese_sprite);
    s.cheese = box_of(w, w.cheese_sprite);
}
