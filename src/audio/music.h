// Music: a table of 64 tracks loaded from MIDI files, one playing at a time.
#pragma once

constexpr int MUSIC_MAX = 64;
constexpr int MIDI_STATE_FREE = 0;
constexpr int MIDI_STATE_LOADED = 1;
constexpr int MIDI_STATE_PLAYING = 2;
constexpr int MIDI_STATE_STOPPED = 3;

int music_init();
void music_shutdown();
// The new id (0..63), or -1 on failure.
int load_midi(const char* filename);
int play_midi(int id);
int stop_midi(int id);
// 2 while playing, 3 once stopped or ended, 0 for an id with no track.
int midi_status(int id);
int delete_all_midi();
