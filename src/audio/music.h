// Music: a table of 64 tracks loaded from MIDI files, one playing at a time.
#pragma once
#include <cstdint>

constexpr int MUSIC_MAX = 64;
constexpr int MIDI_STATE_FREE = 0;
constexpr int MIDI_STATE_LOADED = 1;
constexpr int MIDI_STATE_PLAYING = 2;
constexpr int MIDI_STATE_STOPPED = 3;

struct MusicSlot {
    int track = -1;  // the platform's synthesiser track, -1 when none (no device)
    int32_t id = 0;  // the slot's own index
    int32_t state = MIDI_STATE_FREE;
    uint32_t length_ms = 0;  // how long the file plays, from its events and tempo map
    uint32_t started_at = 0;  // platform tick count when it was last started
    bool synthesised = false;  // the synthesiser took the last play; otherwise it is timed on the clock
    char name[64] = {};  // the file's name without its folder, for the play report
};

// Clears the table and `current_track`. 1 when a sound device is there, 0 when the game
// runs silently; the table works either way.
int music_init();
void music_shutdown();
// The new id (0..63), or -1 on failure. Works without a sound device: with none (or when the
// synthesiser refuses the file) the track "plays" silently for as long as the file lasts,
// timed on the platform's tick count.
int load_midi(const char* filename);
// Stops the current track, then plays this one once from its start. 0 for an id with no track.
int play_midi(int id);
// Stops the track and clears `current_track`, whichever track was current. 0 for an id with no track.
int stop_midi(int id);
// 2 while playing, 3 once stopped or ended, 0 for an id with no track.
int midi_status(int id);
int delete_all_midi();
// Holds every sound and the music still while the game is paused, and lets them go on: the
// tracks' clocks skip the held time, so a track ends where it would have without the pause.
void hold_music(bool held);
bool music_is_held();

// The id last started by play_midi and not stopped since, -1 when none.
int current_midi_track();
// The slot of `id`, or null outside 0..63 (for tests and reports).
const MusicSlot* music_slot(int id);
// The file name of the track sounding now, or null (for the play report; changes nothing).
const char* music_now_playing();
