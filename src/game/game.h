// The game: start-up, one frame, shutdown, the top-level game state and its globals.
#pragma once
#include <cstdint>

enum GameStateValue : int32_t {
    GAME_STATE_IDLE = 0,
    GAME_STATE_TITLE = 1,
    GAME_STATE_PLAYING = 2,
    GAME_STATE_GAME_OVER = 3,
    GAME_STATE_LEVEL_MAP = 4,
    GAME_STATE_ENDING = 5,  // enhanced play: the end scene after the story's last line
    GAME_STATE_OPTIONS = 6,  // the options screen, from the title (players with a profile)
};

struct GameState {
    int32_t game_state = GAME_STATE_IDLE;
    int32_t current_level = 0;
    uint8_t key_state[256] = {};
    int intro_track = -1, level1_track = -1, level2_track = -1, level3_track = -1, level_complete_track = -1;
    int game_over_track = -1;  // enhanced play's game-over lament
    int current_level_track = -1;
    bool intro_started = false;
    bool level_track_started = false;
    int32_t dialog_key_delay = 0;
    uint32_t clock_start = 0;
    int64_t frame = 0;  // frames run since start-up
    int32_t ending_frame = 0;  // frames shown of the end scene
    int32_t game_over_frames = 0;  // frames shown of the current game-over screen
    bool game_over_skip_held = false;  // Enter or Space went down once skipping was allowed
    int32_t death_beat_left = 0;  // enhanced play: frames of the beat after a lost life still to run
    bool death_beat_ends_game = false;  // the beat is the last life's, and game over follows it
    bool title_waits_for_release = false;  // back from options: Enter and Tab count once released
    int32_t resume_state = GAME_STATE_PLAYING;  // where the title's START goes back to a game under way
    // Enhanced play's pause overlay, over the playing state: the world stands still under it.
    bool paused = false;
    int32_t pause_choice = 0;  // PauseChoice
    bool pause_key_held = false;  // the pause key was down last frame: a press pauses once
    uint32_t pause_keys_before = ~0u;  // the overlay's keys down last frame (all at first: a key held counts once let go)
    bool options_from_pause = false;  // the options screen goes back to the pause overlay
};

extern GameState game;

// Start-up in the fixed order; 1 on success, 0 at the first failing step.
int game_init();
// One frame: clear, run the state's handler, present, wait for the frame's 30 ms (longer at a
// slower game speed).
int game_main();
int game_shutdown();
// Puts every global of the game back as it was before start-up (tests run many games).
void reset_game_globals();

// Stops the level's track; the next playing frame starts its level's track again.
void stop_level_track();
// The story's level `level` is complete: the story moves on to the next and the fanfare plays.
void complete_level(int level);
// A new game from the title: a clean hero, level 1 loaded, `current_level` 1.
void start_new_game();

void title_frame();
void playing_frame();
void game_over_frame();
void level_map_frame();
// The end scene: the hero's walk home on the map, then "The End" and the credits (ending_frame.cpp).
void start_ending();
void ending_frame();
void options_frame();
// Enhanced play's pause, at the start of a playing frame: true when the frame is a paused one,
// which moves nothing in the world and only draws it under the overlay (pause_frame.cpp).
bool pause_frame();

uint32_t get_clock();
// How long the frame being finished lasts on the frame clock, in milliseconds.
uint32_t frame_wall_ms();
uint32_t start_clock();
uint32_t wait_clock(uint32_t ms);

const char* game_state_name(int32_t state);

// The game's six music tracks: the one table of their files and the members of GameState that
// hold the ids start-up gave them.
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
