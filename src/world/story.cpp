// Story events: the opening lines, level bosses, position triggers, jail doors and deaths.
#include "world/story.h"

#include <cstddef>

#include "audio/sound.h"
#include "audio/sound_ids.h"
#include "base/play_mode.h"

namespace {

// Where each boss starts is in the level's places. Enhanced play guards the swine and wasp
// bosses for `guard_frames` after each blow (the mole boss has his stun instead): the later the
// boss, the longer, so each fight outlasts the one before.
struct BossStart {
    int32_t hit_points;
    float xv, yv;
    int32_t guard_frames;
};
constexpr BossStart BOSS_STARTS[3] = {
    {5, 1, 0, 0},
    {10, 2, 0, 90},
    {15, 2, 0, 105},
};

}  // namespace

int32_t boss_start_hit_points(int level) { return level >= 1 && level <= 3 ? BOSS_STARTS[level - 1].hit_points : 0; }

int32_t boss_guard_frames(int level) { return level >= 1 && level <= 3 ? BOSS_STARTS[level - 1].guard_frames : 0; }

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
    boss->guard_frames = 0;
    boss->swing_spent = 0;
    boss->body.x = LEVEL_PLACES[level - 1].boss_start.x;
    boss->body.y = LEVEL_PLACES[level - 1].boss_start.y;
    boss->body.xv = s.xv;
    boss->body.yv = s.yv;
    set_facing(boss->body, FACING_DOWN);
    boss->alive = 1;
    show_sprite(&boss->body);
}

namespace {

// A line as first written, and where it has slips of spelling or punctuation, the same line
// proofread for enhanced play. A speaker's own broken speech is his voice and has no second text.
struct Line {
    int32_t speaker;
    const char* text;
    const char* proofread = nullptr;
};

// The scripts in reading order; each is pushed bottom line first so it reads top to bottom.
constexpr Line GAME_START[] = {
    {0, "Grandfather, what happened?!?"},
    {1, "The evil Vorrocks have taken the citizens of Curdwick.  Take my sword and save them!!!",
     "The evil Vorrocks have taken the citizens of Curdwick. Take my sword and save them!!!"},
};
constexpr Line BOSS_1_MET[] = {
    {0, "Let my people go and leave this place never to return, and I shall spare your life."},
    {2, "Hahahahahaha, what can a puny rat like you do to me.", "Hahahahahaha, what can a puny rat like you do to me?"},
};
constexpr Line BOSS_2_MET[] = {
    {0, "Hogrand, ill give you one chance to give up and exile your self from these lands before I\x92ll kill you!",
     "Hogrand, I\x92ll give you one chance to give up and exile yourself from these lands before I kill you!"},
    {3, "I don\x92t know how you defeated Dorvik Mole, but I will not be destroyed so easily!"},
};
constexpr Line BOSS_3_MET[] = {
    {0, "Release my people King Vespro!"},
    {4, "Poor fa voor, Nibbs, No Hablo Englis"},
};
constexpr Line LEVEL_1_DONE[] = {
    {0, "Citizens of Curdwick, you have been saved."},
    {1, "Thank you for saving us Nibbs, but there are more villagers captured by Lord Hogrump.",
     "Thank you for saving us, Nibbs, but there are more villagers captured by Lord Hogrand."},
    {0, "I will rescue them.  You should be able to travel home safely.", "I will rescue them. You should be able to travel home safely."},
    {5, "Thank you Nibbs!", "Thank you, Nibbs!"},
};
constexpr Line LEVEL_2_DONE[] = {
    {0, "Fear not citizens of Curdwick, for I have slayed the evil Dorvik Mole and Lord Hogrand.",
     "Fear not, citizens of Curdwick, for I have slain the evil Dorvik Mole and Lord Hogrand."},
    {0, "You are now free."},
    {1, "Oh thank you Nibbs, but I\x92m afraid your journey not yet come to an end.",
     "Oh, thank you, Nibbs, but I\x92m afraid your journey has not yet come to an end."},
    {1, "The fiercest leader of the Vorrocks has taken other  citizens.", "The fiercest leader of the Vorrocks has taken other citizens."},
    {1, "His evil lair is high about the Great Tree, go now Nibbs", "His evil lair is high above the Great Tree. Go now, Nibbs!"},
    {0, "I will save them and put an end to the Vorrocks evil reign.", "I will save them and put an end to the Vorrocks\x92 evil reign."},
    {6, "Thank you Nibbs!", "Thank you, Nibbs!"},
};
constexpr Line LEVEL_3_DONE[] = {
    {0, "I finally freed the last of my people."},
    {6, "Nibbs you're my hero.", "Nibbs, you\x92re my hero."},
    {1, "Oh thank you Nibbs.", "Oh, thank you, Nibbs."},
    {0, "they will have to deal with the might of Nibbs RAT.", "They will have to deal with the might of Nibbs Rat."},
    {7, "Nibbs Begins his Journey home.  Envinsioning an even better Curdwick.",
     "Nibbs begins his journey home, envisioning an even better Curdwick."},
};
constexpr Line DOOR_LOCKED[] = {
    {5, "Nibbs you must find the key.", "Nibbs, you must find the key."},
    {0, "I will save you guys."},
};
constexpr Line BOSS_1_DEFEATED[] = {
    {0, "I told you you would die by my sword."},
    {2, "Noooooooooo."},
};
constexpr Line BOSS_2_DEFEATED[] = {
    {0, "Take that sweinhund."},
    {3, "You are a worthy opponent, I'm Sorry.", "You are a worthy opponent. I\x92m sorry."},
};
constexpr Line BOSS_3_DEFEATED[] = {
    {0, "I finally put an end to your evil reign."},
    {4, "Aye carumba, a King defeated by a rat, oh the shame."},
};

template <std::size_t N>
void tell(DialogBox& box, const Line (&script)[N]) {
    for (std::size_t i = N; i-- > 0;) {
        const Line& line = script[i];
        box.speech_push(line.speaker, enhanced_play() && line.proofread ? line.proofread : line.text);
    }
}

void tell_level_done(World& w, int level) {
    switch (level) {
    case 1:
        tell(w.dialog_box, LEVEL_1_DONE);
        break;
    case 2:
        tell(w.dialog_box, LEVEL_2_DONE);
        break;
    default:
        tell(w.dialog_box, LEVEL_3_DONE);
        break;
    }
}

}  // namespace

int World::check_story_triggers(int32_t current_level) {
    const float x = static_cast<float>(scroll_x) + player.body.x;
    const float y = static_cast<float>(scroll_y) + player.body.y;
    // Boss encounters, once per level start.
    for (int level = 1; level <= 3; ++level) {
        if (current_level != level || boss_taunt_shown || !boss_zone(level).contains(x, y)) continue;
        boss_taunt_shown = 1;
        if (level == 1) tell(dialog_box, BOSS_1_MET);
        if (level == 2) tell(dialog_box, BOSS_2_MET);
        if (level == 3) tell(dialog_box, BOSS_3_MET);
    }
    // Completion zones; the level is read again for each, as a completion moves it on.
    int completed = 0;
    for (int level = 1; level <= 3; ++level)
        if (current_level == level && completion_zone(level).contains(x, y)) {
            tell_level_done(*this, level);
            completed = level;
            current_level = level + 1;
        }
    return completed;
}

bool World::open_jail_door(const Sprite* sprite) {
    if (!sprite) return false;
    const int tw = tile_width, th = tile_height;
    const double sx = sprite->x, sy = sprite->y;
    // The cells of the solid-tile test for a 32 x 32 body.
    if (!(sx > -1.0e7 && sx < 1.0e7 && sy > -1.0e7 && sy < 1.0e7)) return false;
    const int ox = -(scroll_x % tw), oy = -(scroll_y % th);
    const int col = static_cast<int>(scroll_x / tw + (sx - ox) / tw);
    const int row = static_cast<int>(scroll_y / th + (sy - oy) / th);
    const bool more_x = (static_cast<int>(sx) - ox) % tw != 0;
    const bool more_y = (static_cast<int>(sy) - oy) % th != 0;
    const int cells[4][3] = {
        {row, col, 1},
        {row, col + 1, more_x},
        {row + 1, col, more_y},
        {row + 1, col + 1, more_x && more_y},
    };
    for (const auto& cell : cells) {
        if (!cell[2] || tile_at(cell[0], cell[1]) != TILE_JAIL_DOOR) continue;
        if (player.has_key) {
            tile_map[cell[0]][cell[1]] = TILE_OPENED_DOOR;
            play_sound(sound_ids.open_jail, 0);
        } else {
            tell(dialog_box, DOOR_LOCKED);
        }
        return true;
    }
    return false;
}

bool World::check_deaths() {
    EnemyBase* bosses[3] = {&pools.mole_boss, &pools.swine_boss, &pools.wasp_boss};
    for (int i = 0; i < 3; ++i) {
        EnemyBase& boss = *bosses[i];
        if (boss.hit_points >= 1 || boss.alive != 1) continue;
        play_sound(sound_ids.boss_die, 0);
        play_sound(sound_ids.celebrate, 0);
        hide_sprite(&boss.body);
        boss.alive = 0;
        show_sprite(&key_sprite);
        key_sprite.x = boss.body.x + 32;
        key_sprite.y = boss.body.y + 32;
        if (i == 0) tell(dialog_box, BOSS_1_DEFEATED);
        if (i == 1) tell(dialog_box, BOSS_2_DEFEATED);
        if (i == 2) tell(dialog_box, BOSS_3_DEFEATED);
        play_sound(sound_ids.death, 0);
    }
    if (player.hit_points > 0) return false;
    player.alive = 0;
    play_sound(sound_ids.nibbs_die, 0);
    return true;
}

void push_opening_lines(DialogBox& box) { tell(box, GAME_START); }
