// The game's six music tracks: the one table of their files and the members of GameState that
// hold the ids start-up gave them.
#pragma once
#include "game/game.h"

struct MusicFile {
    const char* name;
    int GameState::*id;
};

// Every track, in load order: the first takes id 0, and so on. The lament comes last: only
// enhanced play uses it, and loaded last it leaves the other tracks' ids as they always were.
// The loader, the data folder's check, the generator that makes the files and the tests all
// read this table.
inline constexpr MusicFile MUSIC_FILES[] = {
    {"intro.MID", &GameState::intro_track},
    {"level1.MID", &GameState::level1_track},
    {"level2.MID", &GameState::level2_track},
    {"level3.MID", &GameState::level3_track},
    {"levelComplete.MID", &GameState::level_complete_track},
    {"gameOver.MID", &GameState::game_over_track},
};
inline constexpr int MUSIC_FILE_COUNT = static_cast<int>(sizeof MUSIC_FILES / sizeof MUSIC_FILES[0]);

// The file of the track whose id `id` holds (null for a member the table lacks).
constexpr const char* music_file_name(int GameState::*id) {
    for (const MusicFile& file : MUSIC_FILES)
        if (file.id == id) return file.name;
    return nullptr;
}
