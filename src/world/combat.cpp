// One frame of combat and pick-ups: items, enemies hurting the hero and being hit, deaths,
// projectiles, and the lives counter.
#include <cstdio>

#include "audio/sound.h"
#include "shell/game.h"
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
    int32_t& facing = sprite->aux_3;
    int32_t turn = -1;
    if (xv < 0 && facing != FACING_LEFT)
        turn = FACING_LEFT;
    else if (xv > 0 && facing != FACING_RIGHT)
        turn = FACING_RIGHT;
    else if (yv < 0 && facing != FACING_UP)
        turn = FACING_UP;
    else if (yv > 0 && facing != FACING_DOWN)
        turn = FACING_DOWN;
    if (turn < 0) return false;
    set_sprite_animation(sprite, turn);
    facing = turn;
    return true;
}

void update_enemy_sprite(EnemyBase* enemy) {
    animate_sprite(&enemy->body);
    face_by_velocity(&enemy->body);
    move_sprite(&enemy->body);
    draw_sprite(&enemy->body, &display.back_surface);
}

namespace {

// The hero loses a hit point unless he is still invulnerable, and is pushed back.
void hurt_hero(World& w, int direction) {
    Player& p = w.player;
    if (p.invulnerable) return;
    p.hit_points -= 1;
    p.body.counter_1 = 0;
    p.invulnerable = 1;
    play_sound(shell.sounds.ouch, 0);
    w.knock_back(&p.body, TILE_TEST_BODY, direction);
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
        w.knock_back(&target, mode, w.player.arrow.aux_3);
        hide_sprite(&w.player.arrow);
    } else if (hit.sword) {
        w.knock_back(&target, mode, w.player.sword.aux_3);
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
    play_sound(shell.sounds.death, 0);
}

// Contact, weapon hits and death of one live ordinary enemy.
void fight_enemy(World& w, EnemyBase& e, int hit_sound) {
    if (sprites_overlap(&w.player.body, &e.body)) hurt_hero(w, KNOCK_BACK_AGAINST_FACING);
    const WeaponHit hit = weapon_test(w.player, e.body);
    if (!hit.any()) return;
    e.hit_points -= 1;
    play_sound(hit_sound, 0);
    if (e.hit_points == 0 && e.alive) kill_enemy(w, e);
    knock_target_back(w, e.body, TILE_TEST_BODY, hit);
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
        play_sound(shell.sounds.item, 0);
    }
    // Cheese heals, but never past 4 hit points.
    if (sprites_overlap(&p.body, &cheese_sprite) && (cheese_sprite.attr & SPRITE_ATTR_VISIBLE)) {
        if (p.hit_points < 4) p.hit_points += 1;
        hide_sprite(&cheese_sprite);
        play_sound(shell.sounds.cheese, 0);
    }
    if (p.invulnerable) {
        p.body.counter_1 += 1;
        if (p.body.counter_1 > INVULNERABLE_FRAMES) p.invulnerable = 0;
    }

    const int moles = pools.mole_count < POOL_SIZE ? pools.mole_count : POOL_SIZE;
    for (int i = 0; i < moles; ++i) {
        Mole& m = pools.moles[i];
        if (m.alive) {
            fight_enemy(*this, m, shell.sounds.mole_hit);
            update_mole(&m, tile_blocked(&m.body, TILE_TEST_BODY), &p.body);
        }
        update_enemy_sprite(&m);
    }

    // Wasps and the bosses' own steering join here with their kinds; until then they take no
    // part, and the wasp pool is still walked so dead bodies keep moving.
    const int wasps = pools.wasp_count < POOL_SIZE ? pools.wasp_count : POOL_SIZE;
    for (int i = 0; i < wasps; ++i) update_enemy_sprite(&pools.wasps[i]);

    const int pigs = pools.pig_count < POOL_SIZE ? pools.pig_count : POOL_SIZE;
    for (int i = 0; i < pigs; ++i) {
        Pig& pig = pools.pigs[i];
        if (pig.alive) {
            fight_enemy(*this, pig, shell.sounds.pig_hit);
            update_pig(&pig, tile_blocked(&pig.body, TILE_TEST_BODY), &p.body);
        }
        update_enemy_sprite(&pig);
    }

    // Projectiles: spent on a wall or past the screen's edge.
    if (tile_blocked(&p.arrow, TILE_TEST_PROJECTILE) || off_screen(p.arrow)) hide_sprite(&p.arrow);
    Sprite& spear = pools.swine_boss.spear;
    if (tile_blocked(&spear, TILE_TEST_BOSS) || off_screen(spear)) hide_sprite(&spear);

    // The mole boss switches to its mound or walk once the dig or the rise has played.
    MoleBoss& mb = pools.mole_boss;
    if (mb.underground && mb.body.curr_frame == 7) set_sprite_animation(&mb.body, 9);
    if (!mb.underground && mb.body.curr_frame == 5) set_sprite_animation(&mb.body, 1);
    for (EnemyBase* boss : {static_cast<EnemyBase*>(&pools.mole_boss), static_cast<EnemyBase*>(&pools.swine_boss),
                            static_cast<EnemyBase*>(&pools.wasp_boss)}) {
        animate_sprite(&boss->body);
        move_sprite(&boss->body);
        draw_sprite(&boss->body, back);
    }
    move_sprite(&p.arrow);
    move_sprite(&spear);
    draw_sprite(&spear, back);

    // Lives counter.
    constexpr uint32_t GREEN = 65280;
    draw_text("Lives: ", 20, 35, GREEN, back);
    char number[16];
    std::snprintf(number, sizeof number, "%d", static_cast<int>(p.lives));
    draw_text(number, 80, 35, GREEN, back);
}
