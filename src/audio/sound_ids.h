// The game's fourteen sound effects: the one table of their files, and the ids start-up gave them.
#pragma once

// -1 for a sound whose load failed (playing it does nothing).
struct SoundIds {
    int item = -1;
    int open_jail = -1;
    int cheese = -1;
    int nibbs_die = -1;
    int ouch = -1;
    int use_sword = -1;
    int death = -1;
    int arrow = -1;
    int mole_hit = -1;
    int pig_hit = -1;
    int wasp_hit = -1;
    int boss_hit = -1;
    int boss_die = -1;
    int celebrate = -1;
};

// A sound effect's file in the data folder, and the member of SoundIds that holds its id.
struct SoundFile {
    const char* name;
    int SoundIds::*id;
};

// Every sound effect, in load order: the first takes id 0, and so on. The loader, the data
// folder's check, the generator that makes the files and the tests all read this table; the
// state report names each sound by the file it was loaded from.
inline constexpr SoundFile SOUND_FILES[] = {
    {"item.WAV", &SoundIds::item},         {"openJail.WAV", &SoundIds::open_jail}, {"cheese.WAV", &SoundIds::cheese},
    {"nibbsDie.WAV", &SoundIds::nibbs_die}, {"ouch.WAV", &SoundIds::ouch},          {"useSword.WAV", &SoundIds::use_sword},
    {"death.WAV", &SoundIds::death},       {"arrow.WAV", &SoundIds::arrow},        {"moleHit.WAV", &SoundIds::mole_hit},
    {"pigHit.WAV", &SoundIds::pig_hit},    {"waspHit.WAV", &SoundIds::wasp_hit},   {"bossHit.WAV", &SoundIds::boss_hit},
    {"bossDie.WAV", &SoundIds::boss_die},  {"celebrate.WAV", &SoundIds::celebrate},
};
inline constexpr int SOUND_FILE_COUNT = static_cast<int>(sizeof SOUND_FILES / sizeof SOUND_FILES[0]);

// The file of the sound whose id `id` holds (null for a member the table lacks).
constexpr const char* sound_file_name(int SoundIds::*id) {
    for (const SoundFile& file : SOUND_FILES)
        if (file.id == id) return file.name;
    return nullptr;
}

// Filled by the game's start-up; put back to all -1 by reset_sound_ids (tests run many games).
extern SoundIds sound_ids;
void reset_sound_ids();
