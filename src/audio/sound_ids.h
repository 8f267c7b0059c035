// The ids of the game's fourteen sound effects, by file, as start-up loaded them.
#pragma once

// -1 for a sound whose load failed (playing it does nothing).
struct SoundIds {
    int item = -1;  // "item.WAV"
    int open_jail = -1;  // "openJail.WAV"
    int cheese = -1;  // "cheese.WAV"
    int nibbs_die = -1;  // "nibbsDie.WAV"
    int ouch = -1;  // "ouch.WAV"
    int use_sword = -1;  // "useSword.WAV"
    int death = -1;  // "death.WAV"
    int arrow = -1;  // "arrow.WAV"
    int mole_hit = -1;  // "moleHit.WAV"
    int pig_hit = -1;  // "pigHit.WAV"
    int wasp_hit = -1;  // "waspHit.WAV"
    int boss_hit = -1;  // "bossHit.WAV"
    int boss_die = -1;  // "bossDie.WAV"
    int celebrate = -1;  // "celebrate.WAV"
};

// Filled by the game's start-up; put back to all -1 by reset_sound_ids (tests run many games).
extern SoundIds sound_ids;
void reset_sound_ids();
