// One frame of combat and pick-ups: items, enemies hurting the hero and being hit, deaths,
// projectiles, and the lives counter.
#include "audio/sound.h"
#include "audio/sound_ids.h"
#include "base/assists.h"
#include "base/play_mode.h"
#include "world/hit_feedback.h"
#include "world/story.h"
#include "world/world.h"

namespace {

// Projectiles past these screen bounds are spent; exactly 640 or 480 still counts as on screen.
bool off_screen(const Sprite& s) { return s.x < 0 || s.x > 640 || s.y < 0 || s.y > 480; }

// Which of the hero's weapons touch a target this frame.
struct WeaponHit {
    bool sword;
    bool arrow;
    bool any() const { return sword || arrow; }
};

}  // namespace

bool face_by_velocity(Sprite* sprite) {
    const float xv = sprite->xv, yv = sprite->yv;
    const Direction now = facing(*sprite);
    Direction turn;
    if (xv < 0 && now != FACING_LEFT)
        turn = FACING_LEFT;
    else if (xv > 0 && now != FACING_RIGHT)
        turn = FACING_RIGHT;
    else if (yv < 0 && now != FACING_UP)
        turn = FACING_UP;
    else if (yv > 0 && now != FACING_DOWN)
        turn = FACING_DOWN;
    else
        return false;
    set_sprite_animation(sprite, turn);
    set_facing(*sprite, turn);
    return true;
}

void update_enemy_sprite(EnemyBase* enemy) {
    animate_sprite(&enemy->body);
    face_by_velocity(&enemy->body);
    move_sprite(&enemy->body);
    draw_enemy_body(*enemy);
}

namespace {

// The hero loses a hit point unless he is still invulnerable, and is pushed back: against his
// facing for body contact, or in the flight direction of the projectile that struck him, which
// is then spent.
void hurt_hero(World& w, Sprite* projectile) {
    Player& p = w.player;
    if (p.invulnerable) return;
    // With the no damage assist a hit still stings, pushes and protects, but takes no heart.
    if (!no_damage_assist()) p.hit_points -= 1;
    p.body.counter_1 = 0;
    p.invulnerable = 1;
    play_sound(sound_ids.ouch, 0);
    if (projectile) {
        w.knock_back(&p.body, TILE_TEST_BODY, facing(*projectile));
        hide_sprite(projectile);
    } else {
        w.knock_back(&p.body, TILE_TEST_BODY, KNOCK_BACK_AGAINST_FACING);
    }
}

// A visible projectile on the hero hurts him; otherwise the body does, by contact.
void touch_hero(World& w, Sprite& body, Sprite* projectile) {
    if (projectile && sprites_overlap(projectile, &w.player.body))
        hurt_hero(w, projectile);
    else if (sprites_overlap(&w.player.body, &body))
        hurt_hero(w, nullptr);
}

WeaponHit weapon_test(const Player& p, const Sprite& target) {
    WeaponHit hit{};
    hit.sword = sprites_overlap(&p.sword, &target) && (p.sword.attr & SPRITE_ATTR_VISIBLE);
    hit.arrow = sprites_overlap(&p.arrow, &target) && (p.arrow.attr & SPRITE_ATTR_VISIBLE);
    return hit;
}

// The arrow's push wins over the sword's; a hitting arrow is spent.
void knock_target_back(World& w, Sprite& target, int mode, const WeaponHit& hit) {
    if (hit.arrow) {
        w.knock_back(&target, mode, facing(w.player.arrow));
        hide_sprite(&w.player.arrow);
    } else if (hit.sword) {
        w.knock_back(&target, mode, facing(w.player.sword));
    }
}

void kill_enemy(World& w, EnemyBase& e) {
    hide_sprite(&e.body);
    e.alive = 0;
    w.deathcloud_sprite.x = e.body.x;
    w.deathcloud_sprite.y = e.body.y;
    set_sprite_animation(&w.deathcloud_sprite, 0);
    w.deathcloud_sprite.anim_state = 0;
    if (one_in(10)) {
        show_sprite(&w.cheese_sprite);
        w.cheese_sprite.x = e.body.x;
        w.cheese_sprite.y = e.body.y;
    }
    play_sound(sound_ids.death, 0);
}

// Contact (and its projectile, if it has one), weapon hits and death of one live ordinary enemy.
void fight_enemy(World& w, EnemyBase& e, int hit_sound, Sprite* projectile = nullptr) {
    touch_hero(w, e.body, projectile);
    const WeaponHit hit = weapon_test(w.player, e.body);
    if (!hit.any()) return;
    e.hit_points -= 1;
    start_hit_flash(e);
    play_sound(hit_sound, 0);
    if (e.hit_points == 0 && e.alive) kill_enemy(w, e);
    knock_target_back(w, e.body, TILE_TEST_BODY, hit);
}

// A projectile in flight is spent on a wall or past the screen's edge, then moved and drawn.
void fly_projectile(World& w, Sprite& projectile, int mode) {
    if (w.tile_blocked(&projectile, mode) || off_screen(projectile)) hide_sprite(&projectile);
    move_sprite(&projectile);
    draw_sprite(&projectile, &display.back_surface);
}

// The mole boss: hurts by contact at all times, above ground or not; a hit stuns him, and
// while stunned or underground weapons pass through him while the stun runs down.
void fight_mole_boss(World& w, MoleBoss& boss) {
    touch_hero(w, boss.body, nullptr);
    if (!boss.hurt && !boss.underground) {
        const WeaponHit hit = weapon_test(w.player, boss.body);
        if (hit.any()) {
            boss.hit_points -= 1;
            boss.hurt = 1;
            boss.hurt_timer = MOLE_BOSS_STUN_FRAMES;
            start_hit_flash(boss);
            set_sprite_animation(&boss.body, MOLE_BOSS_ANIM_STUNNED);
            play_sound(sound_ids.boss_hit, 0);
            knock_target_back(w, boss.body, TILE_TEST_BOSS, hit);
        }
    } else {
        boss.hurt_timer -= 1;
        if (boss.hurt_timer < 1) boss.hurt = 0;
    }
}

// Enhanced play lets a swine or wasp boss take one blow at a time: a swing (the sword out from
// press to release) hits him once, and after each hit weapons pass through him while he blinks.
// A hit counts only when this says so; the swing and the guard are counted down here.
bool boss_takes_blow(EnemyBase& boss, const Player& hero, WeaponHit& hit, int32_t guard) {
    if (!(hero.sword.attr & SPRITE_ATTR_VISIBLE)) boss.swing_spent = 0;
    if (boss.guard_frames > 0) boss.guard_frames -= 1;
    if (boss.swing_spent) hit.sword = false;
    if (!hit.any() || boss.guard_frames > 0) return false;
    if (hit.sword) boss.swing_spent = 1;
    boss.guard_frames = guard;
    return true;
}

// The swine and wasp bosses (of `level`): projectile or body on the hero; in classic play every
// weapon contact is a hit.
void fight_armed_boss(World& w, EnemyBase& boss, Sprite& projectile, int level) {
    touch_hero(w, boss.body, &projectile);
    WeaponHit hit = weapon_test(w.player, boss.body);
    if (enhanced_play() ? !boss_takes_blow(boss, w.player, hit, boss_guard_frames(level)) : !hit.any()) return;
    boss.hit_points -= 1;
    start_hit_flash(boss);
    play_sound(sound_ids.boss_hit, 0);
    knock_target_back(w, boss.body, TILE_TEST_BOSS, hit);
}

// How many enemies ahead of the one being updated the next is asked for: far enough that
// its memory has arrived when the loop gets there.
constexpr int PREFETCH_AHEAD = 2;

// One frame of a pool of ordinary enemies in slot order: `live` fights and steers each live one,
// then every slot counted animates, turns, moves and draws.
template <class Enemy, class Live>
void update_pool(Enemy* pool, int count, Live live) {
    const int n = count < POOL_SIZE ? count : POOL_SIZE;
    for (int i = 0; i < n; ++i) {
        if (i + PREFETCH_AHEAD < n) prefetch_enemy(pool[i + PREFETCH_AHEAD]);
        Enemy& e = pool[i];
        if (e.alive) live(e);
        update_enemy_sprite(&e);
    }
}

}  // namespace

void World::update_world() {
    Player& p = player;
    Surface* back = &display.back_surface;

    // Key.
    if (sprites_overlap(&p.body, &key_sprite)) {
        key_sprite.x = static_cast<float>(-scroll_x - 64);
        key_sprite.y = static_cast<float>(-scroll_y - 64);
        dialog_box.speech_push(0, "This must be the key that will free my people.");
        p.has_key = 1;
        hide_sprite(&key_sprite);
        play_sound(sound_ids.item, 0);
    }
    // Cheese heals, but never past one short of full (4 hit points without extra hearts).
    if (sprites_overlap(&p.body, &cheese_sprite) && (cheese_sprite.attr & SPRITE_ATTR_VISIBLE)) {
        if (p.hit_points < hero_full_hit_points() - 1) p.hit_points += 1;
        hide_sprite(&cheese_sprite);
        play_sound(sound_ids.cheese, 0);
    }
    if (p.invulnerable) {
        p.body.counter_1 += 1;
        if (p.body.counter_1 > INVULNERABLE_FRAMES) p.invulnerable = 0;
    }

    update_pool(pools.moles, pools.mole_count, [&](Mole& m) {
        fight_enemy(*this, m, sound_ids.mole_hit);
        update_mole(&m, tile_blocked(&m.body, TILE_TEST_BODY), &p.body);
    });
    update_pool(pools.wasps, pools.wasp_count, [&](Wasp& wasp) {
        // A kill hides the body only: a stinger in flight stays where it is until the slot is
        // used again.
        fight_enemy(*this, wasp, sound_ids.wasp_hit, &wasp.stinger);
        update_wasp(&wasp, tile_blocked(&wasp.body, TILE_TEST_BODY), &p.body);
        fly_projectile(*this, wasp.stinger, TILE_TEST_PROJECTILE);
    });
    update_pool(pools.pigs, pools.pig_count, [&](Pig& pig) {
        fight_enemy(*this, pig, sound_ids.pig_hit);
        update_pig(&pig, tile_blocked(&pig.body, TILE_TEST_BODY), &p.body);
    });

    // The bosses, each while it is alive. Their defeats are handled after this frame's update.
    MoleBoss& mole_boss = pools.mole_boss;
    if (mole_boss.alive) {
        fight_mole_boss(*this, mole_boss);
        update_mole_boss(&mole_boss, tile_blocked(&mole_boss.body, TILE_TEST_BOSS), &p.body);
    }
    SwineBoss& swine_boss = pools.swine_boss;
    if (swine_boss.alive) {
        fight_armed_boss(*this, swine_boss, swine_boss.spear, 2);
        update_swine_boss(&swine_boss, tile_blocked(&swine_boss.body, TILE_TEST_BOSS), &p.body);
    }
    WaspBoss& wasp_boss = pools.wasp_boss;
    if (wasp_boss.alive) {
        fight_armed_boss(*this, wasp_boss, wasp_boss.stinger, 3);
        update_wasp_boss(&wasp_boss, tile_blocked(&wasp_boss.body, TILE_TEST_BOSS), &p.body);
        fly_projectile(*this, wasp_boss.stinger, TILE_TEST_PROJECTILE);
    }

    // Projectiles: spent on a wall or past the screen's edge. The spear flies on after its
    // thrower has fallen.
    if (tile_blocked(&p.arrow, TILE_TEST_PROJECTILE) || off_screen(p.arrow)) hide_sprite(&p.arrow);
    Sprite& spear = pools.swine_boss.spear;
    if (tile_blocked(&spear, TILE_TEST_BOSS) || off_screen(spear)) hide_sprite(&spear);

    // The mole boss switches to its mound or walk once the dig or the rise has played.
    if (mole_boss.underground && mole_boss.body.curr_frame == 7)
        set_sprite_animation(&mole_boss.body, MOLE_BOSS_ANIM_MOUND);
    if (!mole_boss.underground && mole_boss.body.curr_frame == 5)
        set_sprite_animation(&mole_boss.body, MOLE_BOSS_ANIM_WALK);
    // The mole and swine bosses face the hero whichever way they go. King Vespro turns with his
    // flight like any wasp, which also ends his sting pose once he changes direction.
    for (EnemyBase* boss : {static_cast<EnemyBase*>(&mole_boss), static_cast<EnemyBase*>(&swine_boss),
                            static_cast<EnemyBase*>(&wasp_boss)}) {
        animate_sprite(&boss->body);
        if (boss == &wasp_boss) face_by_velocity(&boss->body);
        move_sprite(&boss->body);
        draw_enemy_body(*boss);
    }
    move_sprite(&p.arrow);
    move_sprite(&spear);
    draw_sprite(&spear, back);
    // Enhanced play draws the hero over all this first, then the counter.
    if (!enhanced_play()) draw_lives();
}
