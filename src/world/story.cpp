// Story events: the opening lines, level bosses, position triggers, jail doors and deaths.
#include "world/story.h"

#include "audio/sound.h"
#include "shell/game.h"

namespace {

// Bosses stand in the level but take no part in play until their own updates exist: they are
// placed (so the level knows where they stand) and stay hidden and not alive.
constexpr bool BOSSES_TAKE_PART = false;

struct BossStart {
    int32_t hit_points;
    float x, y, xv, yv;
};
constexpr BossStart BOSS_STARTS[3] = {
    {5, 2485, 1689, 1, 0},
    {10, 3508, 703, 2, 0},
    {15, 5000, 2400, 2, 0},
};

}  // namespace

void push_opening_lines(DialogBox& box) {
    box.speech_push(1, "The evil Vorrocks have taken the citizens of Curdwick.  Take my sword and save them!!!");
    box.speech_push(0, "Grandfather, what happened?!?");
}

void place_level_boss(World& w, int level) {
    EnemyBase* boss = nullptr;
    switch (level) {
    case 1:
        boss = &w.pools.mole_boss;
        break;
    case 2:
        boss = &w.pools.swine_boss;
        break;
    case 3:
        boss = &w.pools.wasp_boss;
        break;
    default:
        return;
    }
    const BossStart& s = BOSS_STARTS[level - 1];
    boss->hit_points = s.hit_points;
    boss->body.x = s.x;
    boss->body.y = s.y;
    boss->body.aux_3 = FACING_DOWN;
    if (BOSSES_TAKE_PART) {
        show_sprite(&boss->body);
        boss->alive = 1;
        boss->body.xv = s.xv;
        boss->body.yv = s.yv;
    }
}

void World::check_story_triggers() {
    // The position triggers (boss encounters, level completion) join here with the story.
}

bool World::open_jail_door(const Sprite*) {
    // Jail doors join here with the story.
    return false;
}

bool World::check_deaths() {
    // Boss defeats join here with the bosses.
    if (player.hit_points > 0) return false;
    player.alive = 0;
    play_sound(shell.sounds.nibbs_die, 0);
    return true;
}
